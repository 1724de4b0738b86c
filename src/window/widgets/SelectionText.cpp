#include "window/widgets/SelectionText.h"

#include <QTextCursor>

QString PlainSelectionText(const QTextCursor& cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}
