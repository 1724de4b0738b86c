#pragma once

#include <QPlainTextEdit>

// A plain-text memo whose copy and cut put only plain text on the clipboard, as a plain
// memo does; Qt's own copy would add the memo's font as HTML.
class TPlainMemo : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override;
};
