#include "window/widgets/RichEdit.h"

#include "window/widgets/ScrollKeeper.h"
#include "window/widgets/SelectionText.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <climits>
#include <functional>

namespace {

// What a view takes in one step after its first screens: a few milliseconds of work,
// laying the lines out included.
constexpr int StepLines = 400;
constexpr int StepUnits = 16 * 1024;

// The position after the block break that ends the line holding position, or the end.
qsizetype LineEnd(const QString& text, qsizetype position)
{
    if (position >= text.size()) return text.size();
    const qsizetype found = text.indexOf(QChar::ParagraphSeparator, std::max<qsizetype>(position, 0));
    return found < 0 ? text.size() : found + 1;
}

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent)
{
    // After the editor's own handling, so that the view has moved when the runs are looked for.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { MarkShown(); });
    // A text put in by other hands (a paste into the whole view, a clear) replaces the
    // waiting one, and runs of the old text have no place in it.
    connect(document(), &QTextDocument::contentsChange, this, [this] {
        if (OwnChange) return;
        Waiting = Kept = CaretWaiting = false;
        Held = QString();
        Appended = 0;
        Stepper.stop();
        Marks.clear();
        MarkedRuns = 0;
    });
    // A caret put anywhere by the reader or the hit display stays where it is put.
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        if (!OwnChange) CaretWaiting = false;
    });
}

QString TRichEdit::HeldForm(QString text)
{
    // The breaks a document's plain text makes into blocks, a CR LF pair as one.
    const auto isBreak = [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
    };
    const qsizetype first = std::find_if(text.cbegin(), text.cend(),
                                         [&](QChar c) { return isBreak(c) && c != QChar::ParagraphSeparator; }) -
                            text.cbegin();
    if (first == text.size()) return text;
    QString held;
    held.reserve(text.size());
    held.append(QStringView(text).left(first));
    for (qsizetype i = first; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        held.append(isBreak(c) ? QChar(QChar::ParagraphSeparator) : c);
    }
    return held;
}

void TRichEdit::SetText(const QString& text)
{
    Held = HeldForm(text);
    Waiting = true;
    Kept = false;
    Appended = 0;
    Stepper.stop();
    Caret = 0;
    CaretWaiting = false;
    Marks.clear();
    MarkedRuns = 0;
    if (auto* keeper = findChild<TScrollKeeper*>(QString(), Qt::FindDirectChildrenOnly)) keeper->Drop();
    if (isVisible()) Start(0);
}

QString TRichEdit::HeldText() const
{
    return Waiting || Kept ? Held : document()->toRawText();
}

std::u16string TRichEdit::PositionText() const
{
    QString text = HeldText();
    text.replace(QChar::ParagraphSeparator, u'\r');
    return text.toStdU16String();
}

void TRichEdit::Fill()
{
    FillTo(INT_MAX);
}

void TRichEdit::FillTo(int position)
{
    if (Waiting) Start(position);
    if (!Kept || Appended >= Held.size()) return;
    // The screens after position come too, so that position can stand high on the screen.
    Append(position >= Held.size() ? Held.size() : LineEnd(Held, ScreensEnd(position)));
}

void TRichEdit::Start(int position)
{
    Waiting = false;
    Kept = true;
    // A scroll bar on show stays on show while the text is replaced: hidden for the emptied
    // document and shown again for the new one, it would narrow the view twice and lay a
    // wrapped text out twice.
    QScrollBar* bars[] = {verticalScrollBar(), horizontalScrollBar()};
    const Qt::ScrollBarPolicy policies[] = {verticalScrollBarPolicy(), horizontalScrollBarPolicy()};
    const bool pinned[] = {bars[0]->isVisible() && policies[0] == Qt::ScrollBarAsNeeded,
                           bars[1]->isVisible() && policies[1] == Qt::ScrollBarAsNeeded};
    if (pinned[0]) setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (pinned[1]) setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // The first screens go in at once, the rest in steps that follow; the text is read from
    // Held meanwhile. The document is set directly: the editor's own setPlainText formats
    // the whole text once more with its typing format. The caret and the first runs go in
    // before the layout starts, so that the text on screen is laid out once.
    Appended = LineEnd(Held, std::max(ScreensEnd(0), position));
    Unlaid([this] {
        OwnChange = true;
        document()->setPlainText(Appended < Held.size() ? Held.left(Appended) : Held);
        OwnChange = false;
        // The caret follows the inserted text to its end, and a view shown for the first time
        // scrolls to its caret: a view filled on a hidden tab would open at its last line.
        PlaceCaret(Caret <= Appended ? Caret : 0);
        CaretWaiting = Caret > Appended;
        MarkUpTo(ScreensEnd(0));
    });

    if (pinned[0]) setVerticalScrollBarPolicy(policies[0]);
    if (pinned[1]) setHorizontalScrollBarPolicy(policies[1]);
    for (QScrollBar* bar : bars)
        bar->setValue(0);
    if (Appended < Held.size()) Stepper.start(0, this);
}

void TRichEdit::Append(qsizetype end)
{
    end = std::min(end, Held.size());
    if (end <= Appended) return;
    QTextDocument* held = document();
    const bool own = OwnChange;
    OwnChange = true;
    // No edit comes before the whole text is in (Complete comes first), so the undo
    // stack has nothing to lose.
    const bool undo = held->isUndoRedoEnabled();
    held->setUndoRedoEnabled(false);
    QTextCursor cursor(held);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringView(Held).mid(Appended, end - Appended).toString(), QTextCharFormat());
    held->setUndoRedoEnabled(undo);
    OwnChange = own;
    Appended = end;
    if (Appended < Held.size()) return;
    Stepper.stop();
    if (CaretWaiting) {
        // Where the hit display put it, without moving the view.
        const int scrolls[] = {verticalScrollBar()->value(), horizontalScrollBar()->value()};
        PlaceCaret(Caret);
        verticalScrollBar()->setValue(scrolls[0]);
        horizontalScrollBar()->setValue(scrolls[1]);
        CaretWaiting = false;
    }
}

void TRichEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != Stepper.timerId()) {
        QTextEdit::timerEvent(event);
        return;
    }
    qsizetype end = Appended;
    for (int line = 0; line < StepLines && end < Held.size() && end - Appended < StepUnits; ++line)
        end = LineEnd(Held, end);
    Append(end);
}

void TRichEdit::SetMarks(std::vector<THighlightRun> runs, const QTextCharFormat& format)
{
    Marks = std::move(runs);
    MarkFormat = format;
    MarkedRuns = 0;
    if (!Marks.empty()) Caret = Marks.back().Begin;
    if (Waiting) return;
    const int top = cursorForPosition(QPoint(0, 0)).block().position();
    Unlaid([&] {
        const int caret = Marks.empty() ? textCursor().selectionStart() : Caret;
        if (caret < Appended || Appended >= Held.size()) {
            PlaceCaret(caret);
            CaretWaiting = false;
        } else {
            CaretWaiting = true;
        }
        MarkUpTo(ScreensEnd(top));
    });
}

void TRichEdit::MarkUpTo(int position)
{
    if (OwnChange || MarkedRuns >= Marks.size() || Marks[MarkedRuns].Begin >= position) return;
    if (Waiting) Start(position);
    if (Kept && position > Appended) Append(LineEnd(Held, position));
    OwnChange = true;
    QTextDocument* held = document();
    // The marks are the view's own, not the reader's edits: Ctrl+Z does not take them away.
    // Runs wait only until the first edit (Complete comes before it), so no edit is lost.
    const bool undo = held->isUndoRedoEnabled();
    held->setUndoRedoEnabled(false);
    QTextCursor cursor(held);
    // One edit block lays the changed blocks out once, not once per run.
    cursor.beginEditBlock();
    for (; MarkedRuns < Marks.size() && Marks[MarkedRuns].Begin < position; ++MarkedRuns) {
        const THighlightRun& run = Marks[MarkedRuns];
        if (Kept && run.End > Appended) Append(LineEnd(Held, run.End));
        const int last = std::max(held->characterCount() - 1, 0);
        cursor.setPosition(std::clamp(run.Begin, 0, last));
        cursor.setPosition(std::clamp(run.End, 0, last), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(MarkFormat);
    }
    cursor.endEditBlock();
    held->setUndoRedoEnabled(undo);
    OwnChange = false;
}

void TRichEdit::Complete()
{
    Fill();
    MarkUpTo(INT_MAX);
}

void TRichEdit::MarkShown()
{
    if (Waiting || MarkedRuns >= Marks.size() || !isVisible()) return;
    // Asking for the position a screen below the view lays the text out that far, no further.
    const QTextBlock below = cursorForPosition(QPoint(0, 2 * viewport()->height())).block();
    MarkUpTo(below.position() + below.length());
}

void TRichEdit::PlaceCaret(int position)
{
    QTextCursor caret(document());
    caret.setPosition(std::clamp(position, 0, std::max(document()->characterCount() - 1, 0)));
    const bool own = OwnChange;
    OwnChange = true;
    setTextCursor(caret);
    OwnChange = own;
}

void TRichEdit::Unlaid(const std::function<void()>& change)
{
    // Placing a cursor asks the layout where it stands, and the editor's answer lays the
    // whole text out at once; a format laid out before it is changed is laid out twice.
    // With no page size the layout lays nothing out; put back, the view lays itself out
    // lazily, the part on screen first.
    QTextDocument* held = document();
    const QSizeF pageSize = held->pageSize();
    held->setPageSize(QSizeF(0, 0));
    change();
    held->setPageSize(pageSize);
}

int TRichEdit::ScreensEnd(int top) const
{
    // Without a layout the screen is reckoned in lines of the text, each at least a line on
    // screen, and in a wrapped text also in characters no narrower than the average; a
    // screen below is added.
    const QFontMetrics metrics(font());
    const int lines = 2 * (viewport()->height() / std::max(metrics.lineSpacing(), 1) + 1);
    const bool wrapped = lineWrapMode() != QTextEdit::NoWrap;
    const qsizetype units =
        static_cast<qsizetype>(lines) * (viewport()->width() / std::max(metrics.averageCharWidth(), 1) + 1);
    qsizetype end = top;
    for (int count = 0; count < lines && end < Held.size(); ++count) {
        end = LineEnd(Held, end);
        if (wrapped && end - top > units) return static_cast<int>(top + units);
    }
    return static_cast<int>(std::max<qsizetype>(end, top));
}

void TRichEdit::keyPressEvent(QKeyEvent* event)
{
    // A key finds the whole text in, the caret where the hit display put it; one that may
    // copy or change the text finds every run formatted too, as an edit moves formats with
    // the text and a waiting run would not move.
    Fill();
    const int key = event->key();
    if (!event->text().isEmpty() || key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Insert ||
        key == Qt::Key_Return || key == Qt::Key_Enter)
        Complete();
    QTextEdit::keyPressEvent(event);
    // Ctrl+letter is mapped first: some platforms report the letter itself as the text.
    char16_t character = 0;
    const bool control = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z)
        character = static_cast<char16_t>(key - Qt::Key_A + 1); // Ctrl+C is 3, Ctrl+X 24
    else if (!event->text().isEmpty())
        character = event->text().front().unicode();
    if (character != 0) emit KeyPressed(character);
}

void TRichEdit::inputMethodEvent(QInputMethodEvent* event)
{
    Complete();
    QTextEdit::inputMethodEvent(event);
}

void TRichEdit::insertFromMimeData(const QMimeData* source)
{
    Complete();
    QTextEdit::insertFromMimeData(source);
}

void TRichEdit::dropEvent(QDropEvent* event)
{
    // A drop within the view removes the dragged text before it inserts it.
    Complete();
    QTextEdit::dropEvent(event);
}

void TRichEdit::mousePressEvent(QMouseEvent* event)
{
    // A click or a drag finds the whole text to select in.
    Fill();
    QTextEdit::mousePressEvent(event);
}

void TRichEdit::showEvent(QShowEvent* event)
{
    if (Waiting) Start(0);
    QTextEdit::showEvent(event);
}

void TRichEdit::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    MarkShown();
}

void TRichEdit::paintEvent(QPaintEvent* event)
{
    // What the view shows may also change without a scroll, as with a new font.
    MarkShown();
    QTextEdit::paintEvent(event);
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    const_cast<TRichEdit*>(this)->MarkUpTo(textCursor().selectionEnd());
    // Qt's HTML leaves out the editor's own font, so each run gets the face and size it is
    // shown in unless it has its own.
    const QTextDocumentFragment selection = textCursor().selection();
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertFragment(selection);
    QTextCharFormat viewFont;
    viewFont.setFontFamilies(QStringList{font().family()});
    viewFont.setFontPointSize(font().pointSizeF() > 0 ? font().pointSizeF() : QFontInfo(font()).pointSizeF());
    // The runs are collected first: changing a format may join runs under an iterator.
    struct TRun
    {
        int Start, End;
        QTextCharFormat Format;
    };
    std::vector<TRun> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = viewFont;
            format.merge(fragment.charFormat());
            runs.push_back({fragment.position(), fragment.position() + fragment.length(), format});
        }
    }
    for (const TRun& run : runs) {
        cursor.setPosition(run.Start);
        cursor.setPosition(run.End, QTextCursor::KeepAnchor);
        cursor.setCharFormat(run.Format);
    }
    auto* data = new QMimeData;
    data->setHtml(QTextDocumentFragment(&document).toHtml());
    data->setText(PlainSelectionText(textCursor()));
    return data;
}
