#pragma once

// A plain memo that can show a long text at once. ShowText keeps the text as lines and lays
// out only those on the screen: a QTextDocument costs a couple of microseconds per block
// however little of it is seen, which dominates showing tens of thousands of lines. Reading,
// scrolling, selecting and copying work on the lines; the first thing the view does not do
// itself (an edit, the context menu, a drag or a drop, a double click, the input method)
// builds the document once, caret and scroll position kept, and hands the event on.

#include "window/widgets/PlainMemo.h"

#include <QBasicTimer>

#include <memory>
#include <unordered_map>
#include <vector>

class QTextLayout;

class TLineMemo : public TPlainMemo
{
    Q_OBJECT
public:
    explicit TLineMemo(QWidget* parent = nullptr);
    ~TLineMemo() override;

    // Shows text, whose lines end in "\n", with the caret at its start and nothing selected.
    // Setting the document by the editor's own calls replaces it.
    void ShowText(QString text);
    // The memo's text with its line breaks as "\n", whether shown as lines or as a document.
    QString Text() const;
    // The caret and the selection's other end as positions in Text().
    int CaretPosition() const;
    int AnchorPosition() const;
    // Whether the text is still shown as lines; false once the document holds it.
    bool ShowingLines() const { return Viewing; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    int LineCount() const { return static_cast<int>(Starts.size()); }
    int LineOf(qsizetype position) const;
    qsizetype LineLength(int line) const;
    QTextLayout& Layout(int line) const;
    qreal LineHeight(int line) const { return Layout(line).boundingRect().height(); }
    // The top of the first line on the screen; the document's margin when it is the first.
    int TopOffset() const;
    qsizetype PositionAt(const QPoint& point) const;
    void AdjustBars();
    void MoveCaret(qsizetype position, bool keepAnchor);
    void EnsureCaretVisible();
    // Handles a key of reading, moving or copying; false for any other.
    bool ReadingKey(QKeyEvent* event);
    qsizetype VerticalMove(qsizetype from, int lines);
    void CopySelection() const;
    void RestartBlink();
    // Builds the document from the lines and leaves them; the caret, selection and scroll
    // position stay where they were.
    void BuildDocument();
    void DocumentChanged();
    // Back to the editor's document: the lines, their layouts and the line mode's timers go.
    void LeaveLines();

    bool Viewing = false;
    bool Building = false;
    QString Shown;
    std::vector<qsizetype> Starts; // where each line of Shown begins
    qsizetype Caret = 0, Anchor = 0;
    int CaretX = -1;            // the column kept across moves up and down, -1 for none
    mutable int Widest = 0;     // the widest line laid out so far, margins included, as the editor keeps it
    mutable int BarsWidest = 0; // Widest when the bars were last set
    bool Selecting = false;
    // A press inside the selection waits to see whether it becomes a drag.
    bool PendingDrag = false;
    QPoint PressPoint;
    bool CaretOn = false;
    QBasicTimer Blink, AutoScroll;
    QPoint LastMouse;
    mutable std::unordered_map<int, std::unique_ptr<QTextLayout>> Layouts;
};
