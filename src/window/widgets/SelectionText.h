#pragma once

#include <QString>

class QTextCursor;

// The selected text of cursor as a plain-text copy carries it: each block break becomes a
// line break and every other character stays as the text holds it. Qt's own plain text
// turns a no-break space into a blank.
QString PlainSelectionText(const QTextCursor& cursor);
