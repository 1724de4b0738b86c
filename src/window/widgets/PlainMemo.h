#pragma once

#include <QPlainTextEdit>

// A plain-text memo whose copy and cut put only plain text on the clipboard, as a plain
// memo does; Qt's own copy would add the memo's font as HTML.
class TPlainMemo : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

    // The whole text with its line breaks as "\n" and every other unit as the memo holds it;
    // toPlainText would turn a no-break space into a blank.
    QString Text() const;

protected:
    QMimeData* createMimeDataFromSelection() const override;
};
