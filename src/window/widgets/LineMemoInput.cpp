#include "window/widgets/LineMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextLayout>

#include <algorithm>

// The keys, the mouse, the focus and the caret's blinking while the text is shown as lines;
// whatever the lines do not handle themselves builds the document and goes to the editor.
qsizetype TLineMemo::VerticalMove(qsizetype from, int lines)
{
    const int line = LineOf(from);
    if (CaretX < 0) {
        const QTextLine row = Layout(line).lineAt(0);
        CaretX = row.isValid() ? static_cast<int>(row.cursorToX(static_cast<int>(from - Starts[line]))) : 0;
    }
    const int target = std::clamp(line + lines, 0, LineCount() - 1);
    if (target == line) return from;
    const QTextLine row = Layout(target).lineAt(0);
    return Starts[target] + (row.isValid() ? row.xToCursor(CaretX) : 0);
}

bool TLineMemo::ReadingKey(QKeyEvent* event)
{
    using TKey = QKeySequence::StandardKey;
    if (event->matches(QKeySequence::SelectAll)) {
        Anchor = 0;
        Caret = Shown.size();
        viewport()->update();
        return true;
    }
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
    }
    enum class TMove
    {
        NextChar,
        PreviousChar,
        NextWord,
        PreviousWord,
        NextLine,
        PreviousLine,
        NextPage,
        PreviousPage,
        LineStart,
        LineEnd,
        DocumentStart,
        DocumentEnd,
    };
    struct TBinding
    {
        TKey Move, Select;
        TMove Kind;
    };
    static const TBinding bindings[] = {
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, TMove::NextChar},
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, TMove::PreviousChar},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, TMove::NextWord},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, TMove::PreviousWord},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, TMove::NextLine},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, TMove::PreviousLine},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, TMove::NextPage},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, TMove::PreviousPage},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, TMove::LineStart},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, TMove::LineEnd},
        {QKeySequence::MoveToStartOfBlock, QKeySequence::SelectStartOfBlock, TMove::LineStart},
        {QKeySequence::MoveToEndOfBlock, QKeySequence::SelectEndOfBlock, TMove::LineEnd},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, TMove::DocumentStart},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, TMove::DocumentEnd},
    };
    const TBinding* binding = nullptr;
    bool select = false;
    for (const TBinding& candidate : bindings) {
        if (event->matches(candidate.Move) || event->matches(candidate.Select)) {
            binding = &candidate;
            select = event->matches(candidate.Select);
            break;
        }
    }
    if (binding == nullptr) return false;

    const int line = LineOf(Caret);
    const qsizetype start = Starts[line], length = LineLength(line);
    const int column = static_cast<int>(Caret - start);
    const bool vertical = binding->Kind == TMove::NextLine || binding->Kind == TMove::PreviousLine ||
                          binding->Kind == TMove::NextPage || binding->Kind == TMove::PreviousPage;
    if (!vertical) CaretX = -1;
    qsizetype to = Caret;
    switch (binding->Kind) {
    case TMove::NextChar:
    case TMove::PreviousChar:
        if (!select && Caret != Anchor) {
            // An arrow without Shift leaves a selection at the end it points to.
            to = binding->Kind == TMove::NextChar ? std::max(Caret, Anchor) : std::min(Caret, Anchor);
        } else if (binding->Kind == TMove::NextChar) {
            to = column < length ? start + Layout(line).nextCursorPosition(column) : std::min(Caret + 1, Shown.size());
        } else {
            to = column > 0 ? start + Layout(line).previousCursorPosition(column) : std::max<qsizetype>(Caret - 1, 0);
        }
        break;
    case TMove::NextWord:
        to = column < length ? start + Layout(line).nextCursorPosition(column, QTextLayout::SkipWords)
                             : std::min(Caret + 1, Shown.size());
        break;
    case TMove::PreviousWord:
        to = column > 0 ? start + Layout(line).previousCursorPosition(column, QTextLayout::SkipWords)
                        : std::max<qsizetype>(Caret - 1, 0);
        break;
    case TMove::NextLine:
        to = VerticalMove(Caret, 1);
        break;
    case TMove::PreviousLine:
        to = VerticalMove(Caret, -1);
        break;
    case TMove::NextPage:
    case TMove::PreviousPage: {
        // The page moves with the caret, as the editor moves both.
        const int lines = std::max(1, verticalScrollBar()->pageStep());
        const int step = binding->Kind == TMove::NextPage ? lines : -lines;
        to = VerticalMove(Caret, step);
        verticalScrollBar()->setValue(verticalScrollBar()->value() + step);
        break;
    }
    case TMove::LineStart:
        to = start;
        break;
    case TMove::LineEnd:
        to = start + length;
        break;
    case TMove::DocumentStart:
        to = 0;
        break;
    case TMove::DocumentEnd:
        to = Shown.size();
        break;
    }
    MoveCaret(to, select);
    return true;
}

void TLineMemo::keyPressEvent(QKeyEvent* event)
{
    if (!Viewing || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        TPlainMemo::keyPressEvent(event);
        return;
    }
    if (ReadingKey(event)) {
        event->accept();
        return;
    }
    // Whatever would change the text is the editor's; other keys find its empty document
    // untouched and pass on as they would.
    static const QKeySequence::StandardKey editing[] = {
        QKeySequence::Cut,
        QKeySequence::Paste,
        QKeySequence::Undo,
        QKeySequence::Redo,
        QKeySequence::Delete,
        QKeySequence::Backspace,
        QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteCompleteLine,
        QKeySequence::InsertParagraphSeparator,
        QKeySequence::InsertLineSeparator,
    };
    const QString text = event->text();
    bool edits = !text.isEmpty() && (text.at(0).isPrint() || text.at(0) == u'\t');
    for (const QKeySequence::StandardKey key : editing)
        edits = edits || event->matches(key);
    edits = edits || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
            event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (edits) BuildDocument();
    TPlainMemo::keyPressEvent(event);
}

void TLineMemo::mousePressEvent(QMouseEvent* event)
{
    if (!Viewing) {
        TPlainMemo::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        // Pastes the platform's selection.
        BuildDocument();
        TPlainMemo::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const qsizetype at = PositionAt(event->position().toPoint());
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    if (!extend && Caret != Anchor && at >= std::min(Caret, Anchor) && at < std::max(Caret, Anchor)) {
        PendingDrag = true;
        PressPoint = event->position().toPoint();
        return;
    }
    CaretX = -1;
    Selecting = true;
    MoveCaret(at, extend);
}

void TLineMemo::mouseMoveEvent(QMouseEvent* event)
{
    if (!Viewing) {
        TPlainMemo::mouseMoveEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (PendingDrag) {
        if ((point - PressPoint).manhattanLength() < QApplication::startDragDistance()) return;
        // Dragging the selection out is the editor's: it is given the press it missed.
        PendingDrag = false;
        BuildDocument();
        QMouseEvent press(QEvent::MouseButtonPress, PressPoint, mapToGlobal(PressPoint), Qt::LeftButton, Qt::LeftButton,
                          event->modifiers());
        TPlainMemo::mousePressEvent(&press);
        TPlainMemo::mouseMoveEvent(event);
        return;
    }
    if (!Selecting || !(event->buttons() & Qt::LeftButton)) return;
    LastMouse = point;
    if (viewport()->rect().contains(point))
        AutoScroll.stop();
    else if (!AutoScroll.isActive())
        AutoScroll.start(100, this);
    MoveCaret(PositionAt(point), true);
}

void TLineMemo::mouseReleaseEvent(QMouseEvent* event)
{
    if (!Viewing) {
        TPlainMemo::mouseReleaseEvent(event);
        return;
    }
    if (PendingDrag) {
        PendingDrag = false;
        MoveCaret(PositionAt(event->position().toPoint()), false);
    }
    AutoScroll.stop();
    if (Selecting && Caret != Anchor && QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection(), QClipboard::Selection);
    Selecting = false;
}

void TLineMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Words and the triple click's lines are chosen the editor's way.
    BuildDocument();
    TPlainMemo::mouseDoubleClickEvent(event);
}

void TLineMemo::contextMenuEvent(QContextMenuEvent* event)
{
    BuildDocument();
    TPlainMemo::contextMenuEvent(event);
}

void TLineMemo::dragEnterEvent(QDragEnterEvent* event)
{
    BuildDocument();
    TPlainMemo::dragEnterEvent(event);
}

void TLineMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() || !event->preeditString().isEmpty()) BuildDocument();
    TPlainMemo::inputMethodEvent(event);
}

void TLineMemo::focusInEvent(QFocusEvent* event)
{
    TPlainMemo::focusInEvent(event);
    RestartBlink();
}

void TLineMemo::focusOutEvent(QFocusEvent* event)
{
    TPlainMemo::focusOutEvent(event);
    Blink.stop();
    CaretOn = false;
    if (Viewing) viewport()->update();
}

void TLineMemo::RestartBlink()
{
    Blink.stop();
    CaretOn = Viewing && hasFocus();
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (CaretOn && flash >= 2) Blink.start(flash / 2, this);
}

void TLineMemo::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == Blink.timerId()) {
        CaretOn = !CaretOn && Viewing;
        viewport()->update();
    } else if (event->timerId() == AutoScroll.timerId()) {
        if (LastMouse.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        if (LastMouse.y() > viewport()->height())
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        if (LastMouse.x() < 0) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        if (LastMouse.x() > viewport()->width())
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        Caret = PositionAt(LastMouse);
        viewport()->update();
    } else {
        TPlainMemo::timerEvent(event);
    }
}
