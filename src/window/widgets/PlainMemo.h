#pragma once

#include <QBasicTimer>
#include <QPlainTextEdit>

// A plain-text memo whose copy and cut put only plain text on the clipboard, as a plain
// memo does; Qt's own copy would add the memo's font as HTML.
//
// ShowText shows a long text at once: a text document costs a couple of microseconds per
// line however little of it is seen, so the memo takes the lines of its first screens at
// once and the rest in short steps after. Its text is whole meanwhile to whatever reads it
// (Text, a screen reader through the memo's accessible text), and the first thing that
// works on the document itself (a key, a click, the menu, a drop, the input method) puts
// the rest in first.
class TPlainMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TPlainMemo(QWidget* parent = nullptr);

    // Shows text, whose lines end in "\n", with the caret at its start and nothing selected.
    void ShowText(QString text);
    // The whole text with its line breaks as "\n" and every other unit as the memo holds it;
    // toPlainText would turn a no-break space into a blank.
    QString Text() const;
    // Puts the rest of a text ShowText is still putting in into the document.
    void FillRest();
    bool Filled() const { return Appended >= Held.size(); }

protected:
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // The text up to end, which ends a line or the text.
    void Append(qsizetype end);

    QString Held;           // the text ShowText shows, while it is being put in
    qsizetype Appended = 0; // the units of Held in the document
    QBasicTimer Stepper;
    bool OwnChange = false;
};
