#include "window/widgets/PlainMemo.h"

#include "window/widgets/PlainMemoAccessible.h"
#include "window/widgets/SelectionText.h"

#include <QAccessible>
#include <QMimeData>
#include <QTextDocument>

#include <algorithm>

namespace {

// What the memo takes at once, and in each step after: a few milliseconds of work.
constexpr int StepLines = 2000;

// The position after the "\n" that ends the line count lines on from position, or the end.
qsizetype LinesEnd(const QString& text, qsizetype position, int count)
{
    for (int line = 0; line < count && position < text.size(); ++line) {
        const qsizetype found = text.indexOf(u'\n', position);
        position = found < 0 ? text.size() : found + 1;
    }
    return position;
}

} // namespace

TPlainMemo::TPlainMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    InstallPlainMemoAccessible();
    // A text put in by other hands (a paste into the whole memo, a clear) replaces the one
    // being put in.
    connect(document(), &QTextDocument::contentsChange, this, [this] {
        if (OwnChange) return;
        Held.clear();
        Appended = 0;
        Stepper.stop();
    });
}

void TPlainMemo::ShowText(QString text)
{
    Stepper.stop();
    Held = std::move(text);
    Appended = LinesEnd(Held, 0, StepLines);
    OwnChange = true;
    setPlainText(Appended < Held.size() ? Held.left(Appended) : Held);
    OwnChange = false;
    if (Appended < Held.size())
        Stepper.start(0, this);
    else
        Held.clear();
}

QString TPlainMemo::Text() const
{
    return Filled() ? PlainDocumentText(document()) : Held;
}

void TPlainMemo::FillRest()
{
    Append(Held.size());
}

void TPlainMemo::Append(qsizetype end)
{
    end = std::min(end, Held.size());
    if (end <= Appended) return;
    QTextDocument* held = document();
    OwnChange = true;
    // Nothing is edited before the whole text is in, so the undo stack has nothing to lose.
    const bool undo = held->isUndoRedoEnabled();
    held->setUndoRedoEnabled(false);
    QTextCursor cursor(held);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringView(Held).mid(Appended, end - Appended).toString());
    held->setUndoRedoEnabled(undo);
    OwnChange = false;
    Appended = end;
    if (Appended < Held.size()) return;
    Stepper.stop();
    Held.clear();
    Appended = 0;
}

void TPlainMemo::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != Stepper.timerId()) {
        QPlainTextEdit::timerEvent(event);
        return;
    }
    Append(LinesEnd(Held, Appended, StepLines));
}

void TPlainMemo::keyPressEvent(QKeyEvent* event)
{
    FillRest();
    QPlainTextEdit::keyPressEvent(event);
}

void TPlainMemo::mousePressEvent(QMouseEvent* event)
{
    FillRest();
    QPlainTextEdit::mousePressEvent(event);
}

void TPlainMemo::contextMenuEvent(QContextMenuEvent* event)
{
    FillRest();
    QPlainTextEdit::contextMenuEvent(event);
}

void TPlainMemo::inputMethodEvent(QInputMethodEvent* event)
{
    FillRest();
    QPlainTextEdit::inputMethodEvent(event);
}

void TPlainMemo::dragEnterEvent(QDragEnterEvent* event)
{
    FillRest();
    QPlainTextEdit::dragEnterEvent(event);
}

QMimeData* TPlainMemo::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(PlainSelectionText(textCursor()));
    return data;
}
