#include "window/pages/ConvertTab.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AccessibleNames.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/CaptionPanel.h"
#include "window/widgets/PaneKeeper.h"
#include "window/widgets/PlainMemo.h"
#include "window/widgets/SelectionText.h"
#include "data/Vesko3Common.h"
#include "tools/ReadingConversion.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// The memo's text with its line breaks as "\n" and every other unit as typed; toPlainText
// would turn a no-break space into a blank, and units below 256 must stay as they are.
std::u16string MemoText(const QPlainTextEdit* memo)
{
    return PlainDocumentText(memo->document()).toStdU16String();
}

} // namespace

TConvertTab::TConvertTab(const TReadingFile& readings, QWidget* parent) : QWidget(parent), Readings(readings)
{
    MakeSheet(this, "ConvertTabSheet");
    ConvertSplitter = FillingSplitter(this, "ConvertSplitter", Qt::Vertical, 120);
    ConvertPanel1 = TitledPane(ConvertSplitter, "ConvertPanel1", "ConvertTitlePanel1", " 한문본을 여기에 붙여넣으세요",
                               ConvertSrcMemoPanel, "ConvertSrcMemoPanel");
    ConvertPanel2 = MakePanel(ConvertSplitter, "ConvertPanel2");
    AddPanes(ConvertSplitter, ConvertPanel1, ConvertPanel2, 251, ViewSheetSize.height() - 251 - SplitterWidth);
    // The upper pane keeps its height when the window is resized.
    ConvertSplitter->setStretchFactor(0, 0);
    ConvertSplitter->setStretchFactor(1, 1);
    ConvertPanes = new TPaneKeeper(ConvertSplitter);
    QVBoxLayout* convert = StackOf(ConvertPanel2);
    ConvertButtonPanel = MakePanel(ConvertPanel2, "ConvertButtonPanel");
    ConvertButtonPanel->setFixedHeight(30);
    convert->addWidget(ConvertButtonPanel);
    auto* buttons = new TAnchorLayout(ConvertButtonPanel, {ViewSheetSize.width(), 30});
    ConvertButton = Named(new QPushButton("변환하기", ConvertButtonPanel), "ConvertButton");
    buttons->Place(ConvertButton, {0, 4, 91, 21});
    Panel1 = LabelPanel(ConvertButtonPanel, "Panel1", "한자를 입력할 때 쓰여진 한글 음을 보여주는 기능입니다.");
    buttons->Place(Panel1, {100, 4, 471, 21}, AnchorLeft | AnchorTop | AnchorRight);
    convert->addWidget(MakeTitleBar(ConvertPanel2, "ConvertTitlePanel2", " 한자 변환 결과"));
    ConvertDestMemoPanel = MakePanel(ConvertPanel2, "ConvertDestMemoPanel");
    convert->addWidget(ConvertDestMemoPanel, 1);

    connect(ConvertButton, &QPushButton::clicked, this, &TConvertTab::ConvertButtonClick);
}

void TConvertTab::BuildEditors(const QFont& editorFont)
{
    // Named shorter than their title bars, which say what to do rather than what they hold.
    ConvertSrcMemo = Spoken(PlaceholderMemo(ConvertSrcMemoPanel, "ConvertSrcMemo", editorFont), "변환할 한문");
    // The result can run to tens of thousands of lines, which the memo takes in steps.
    ConvertDestMemo = new TPlainMemo(ConvertDestMemoPanel);
    ConvertDestMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FillPlaceholder(Spoken(ConvertDestMemo, "변환 결과"), ConvertDestMemoPanel, "ConvertDestMemo", editorFont, false);
}

void TConvertTab::ApplyColors(const TColorScheme& scheme)
{
    SetContentColor({ConvertSrcMemo, ConvertDestMemo}, scheme.Content);
}

void TConvertTab::SetHanmoonFont(const QString& family, int pointSize)
{
    SetTextFont({ConvertSrcMemo, ConvertDestMemo}, family, pointSize);
}

void TConvertTab::ConvertButtonClick()
{
    const TBusyCursor busy;
    ConvertDestMemo->ShowText({});
    ConvertDestMemo->repaint();

    // Each line of the result, the last one included, ends in a line break.
    const std::u16string result = ConvertReadingsText(MemoText(ConvertSrcMemo), Readings);
    QString text(reinterpret_cast<const QChar*>(result.data()), static_cast<qsizetype>(result.size()));
    // The caret starts at the text's start with nothing selected.
    ConvertDestMemo->ShowText(std::move(text));
    ConvertDestMemo->setFocus();
}

std::vector<TSplitterPane> TConvertTab::Panes() const
{
    if (std::optional<TSplitterPane> pane = ConvertPanes->Pane()) return {std::move(*pane)};
    return {};
}

void TConvertTab::RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow)
{
    ConvertPanes->Restore(panes, savedWindow);
}

std::vector<QWidget*> TConvertTab::FocusOrder() const
{
    return {ConvertSrcMemo, ConvertButton, ConvertDestMemo};
}
