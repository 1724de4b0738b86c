#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

// The selected text of cursor as a plain-text copy carries it: each block break becomes a
// line break and every other character stays as the text holds it. Qt's own plain text
// turns a no-break space into a blank.
QString PlainSelectionText(const QTextCursor& cursor);

// The whole text of document in the same way: each block break a line break, every other
// character as the document holds it.
QString PlainDocumentText(const QTextDocument* document);
