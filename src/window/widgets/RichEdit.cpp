#include "window/widgets/RichEdit.h"

#include "window/widgets/SelectionText.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <vector>

void TRichEdit::keyPressEvent(QKeyEvent* event)
{
    QTextEdit::keyPressEvent(event);
    // Ctrl+letter is mapped first: some platforms report the letter itself as the text.
    char16_t character = 0;
    const bool control = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (control && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        character = static_cast<char16_t>(event->key() - Qt::Key_A + 1); // Ctrl+C is 3, Ctrl+X 24
    else if (!event->text().isEmpty())
        character = event->text().front().unicode();
    if (character != 0) emit KeyPressed(character);
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    // Qt's HTML leaves out the editor's own font, so each run gets the face and size it is
    // shown in unless it has its own.
    const QTextDocumentFragment selection = textCursor().selection();
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertFragment(selection);
    QTextCharFormat viewFont;
    viewFont.setFontFamilies(QStringList{font().family()});
    viewFont.setFontPointSize(font().pointSizeF() > 0 ? font().pointSizeF() : QFontInfo(font()).pointSizeF());
    // The runs are collected first: changing a format may join runs under an iterator.
    struct TRun
    {
        int Start, End;
        QTextCharFormat Format;
    };
    std::vector<TRun> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = viewFont;
            format.merge(fragment.charFormat());
            runs.push_back({fragment.position(), fragment.position() + fragment.length(), format});
        }
    }
    for (const TRun& run : runs) {
        cursor.setPosition(run.Start);
        cursor.setPosition(run.End, QTextCursor::KeepAnchor);
        cursor.setCharFormat(run.Format);
    }
    auto* data = new QMimeData;
    data->setHtml(QTextDocumentFragment(&document).toHtml());
    data->setText(PlainSelectionText(textCursor()));
    return data;
}
