#include "window/widgets/SelectionText.h"

#include <QTextCursor>
#include <QTextDocument>

QString PlainSelectionText(const QTextCursor& cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QString PlainDocumentText(const QTextDocument* document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}
