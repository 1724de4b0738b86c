// The reading conversion tab: TMainForm's conversion handler.

#include "window/Unit1.h"

#include "tools/ReadingConversion.h"
#include "util/TextCodec.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

// The hourglass for the length of one handler, restored however it is left.
class TBusyCursor
{
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The memo's text with its line breaks as "\n" and every other unit as typed; toPlainText
// would turn a no-break space into a blank, and units below 256 must stay as they are.
std::u16string MemoText(const QPlainTextEdit* memo)
{
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text.toStdU16String();
}

} // namespace

void TMainForm::ConvertButtonClick()
{
    const TBusyCursor busy;
    ConvertDestMemo->clear();
    ConvertDestMemo->repaint();

    const std::vector<std::u16string> result = ConvertReadings(MemoText(ConvertSrcMemo), State.Data.ReadingFile);
    // Each entry is added as a line of its own, so the last one ends in a line break too.
    QString text;
    for (const std::u16string& line : result) {
        text += ToQString(line);
        text += u'\n';
    }
    ConvertDestMemo->setPlainText(text);

    QTextCursor start = ConvertDestMemo->textCursor();
    start.movePosition(QTextCursor::Start);
    ConvertDestMemo->setTextCursor(start);
    ConvertDestMemo->setFocus();
}
