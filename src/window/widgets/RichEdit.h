#pragma once

#include <QTextEdit>

// A rich edit that reports every typed character after it has acted on the key, so that a
// copy made by Ctrl+C is already on the clipboard when the character (3) is reported. Its
// copy carries the view's font with the colours and bold marks.
class TRichEdit : public QTextEdit
{
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

signals:
    void KeyPressed(char16_t character);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
};
