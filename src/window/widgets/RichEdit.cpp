#include "window/widgets/RichEdit.h"

#include "window/widgets/ScrollKeeper.h"
#include "window/widgets/SelectionText.h"

#include <QKeyEvent>
#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <optional>

namespace {

// Text a step of the formatting in a hidden view goes ahead by, a few milliseconds' work.
constexpr int HiddenStepUnits = 16384;

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent)
{
    // After the editor's own handling, so that the view has moved when the runs are looked for.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            MarkShown();
            TintShown();
        });
    connect(document(), &QTextDocument::contentsChange, this, [this](int from, int removed, int added) {
        if (!OwnChange) MoveRuns(from, removed, added);
    });
}

void TRichEdit::SetText(const QString& text)
{
    Marks.clear();
    MarkedRuns = 0;
    SetTints({});
    if (auto* keeper = findChild<TScrollKeeper*>(QString(), Qt::FindDirectChildrenOnly)) keeper->Drop();
    // The document is set directly: the editor's own setPlainText formats the whole text
    // once more with its typing format.
    WithoutLayout([&] {
        OwnChange = true;
        document()->setPlainText(text);
        OwnChange = false;
        // A view shown for the first time scrolls to its caret.
        PlaceCaret(0);
    });
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        bar->setValue(0);
    FlashedBlock = -1;
}

void TRichEdit::SetRuns(std::vector<THighlightRun> runs, const QTextCharFormat& format)
{
    // Runs already formatted stay in the document; a new text drops them, and the hit display
    // sets runs on a text only once.
    Marks = std::move(runs);
    MarkFormat = format;
    MarkedRuns = 0;
    const int top = isVisible() ? cursorForPosition(QPoint(0, 0)).block().position() : 0;
    WithoutLayout([&] {
        if (!Marks.empty()) PlaceCaret(Marks.front().Begin);
        MarkUpTo(ScreensEnd(top));
    });
    if (MarkedRuns < Marks.size()) AheadSteps.start(0, this);
}

std::u16string TRichEdit::PositionText() const
{
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\r');
    return text.toStdU16String();
}

QString TRichEdit::PlainText() const
{
    return PlainDocumentText(document());
}

std::unique_ptr<QTextDocument> TRichEdit::FormattedCopy(int begin, int end) const
{
    const int last = std::max(document()->characterCount() - 1, 0);
    const bool whole = begin <= 0 && end < 0;
    begin = std::clamp(begin, 0, last);
    end = end < 0 ? last : std::clamp(end, begin, last);
    const auto waiting = [&](const THighlightRun& run) { return run.Begin < end && run.End > begin; };
    // The view's own document serves as it is when no run of the part waits.
    std::unique_ptr<QTextDocument> formatted;
    if (whole || std::any_of(Marks.begin() + static_cast<std::ptrdiff_t>(std::min(MarkedRuns, Marks.size())),
                             Marks.end(), waiting)) {
        formatted.reset(document()->clone());
        QTextCursor cursor(formatted.get());
        for (std::size_t r = MarkedRuns; r < Marks.size(); ++r) {
            if (!waiting(Marks[r])) continue;
            cursor.setPosition(std::clamp(Marks[r].Begin, 0, last));
            cursor.setPosition(std::clamp(Marks[r].End, 0, last), QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(MarkFormat);
        }
        if (whole) return formatted;
    }
    QTextCursor range(formatted ? formatted.get() : document());
    range.setPosition(begin);
    range.setPosition(end, QTextCursor::KeepAnchor);
    auto part = std::make_unique<QTextDocument>();
    QTextCursor(part.get()).insertFragment(range.selection());
    return part;
}

void TRichEdit::ShowPosition(int position, int end)
{
    position = Clamped(position);
    end = std::max(position, Clamped(end));
    QTextCursor cursor(document());
    cursor.setPosition(end);
    // The runs above its end, and those of its last block, which may move its lines, are
    // formatted first, so that it stands where it stays. Asking for its rectangle lays the
    // text out that far, which also brings the scroll range up to date.
    MarkUpTo(cursor.block().position() + cursor.block().length());
    const int lastBottom = cursorRect(cursor).bottom();
    cursor.setPosition(position);
    const QRect at = cursorRect(cursor);
    const QSize area = viewport()->size();
    QScrollBar* vertical = verticalScrollBar();
    const bool onFirstScreen = vertical->value() + lastBottom < area.height();
    vertical->setValue(onFirstScreen ? 0 : vertical->value() + at.top() - area.height() / 3);
    if (lineWrapMode() == QTextEdit::NoWrap) ShowSideways(position, end);
}

void TRichEdit::ShowSideways(int begin, int end)
{
    // The part's marked pieces: one broken by a line break ends a line and goes on at the
    // start of the next, and what lies between is not what the reader looks for. A part
    // without marks is measured whole.
    std::vector<THighlightRun> pieces;
    for (const THighlightRun& run : Marks)
        if (run.Begin < end && run.End > begin) pieces.push_back({std::max(run.Begin, begin), std::min(run.End, end)});
    if (pieces.empty()) pieces.push_back({begin, end});
    QScrollBar* horizontal = horizontalScrollBar();
    const int scrolled = horizontal->value();
    QTextCursor cursor(document());
    // The left and right ends of pieces, in document coordinates.
    const auto extent = [&](auto first, auto last) {
        std::pair<int, int> ends{INT_MAX, INT_MIN};
        const auto measure = [&](int p) {
            cursor.setPosition(Clamped(p));
            const QRect at = cursorRect(cursor);
            ends = {std::min(ends.first, scrolled + at.left()), std::max(ends.second, scrolled + at.right())};
        };
        constexpr int MeasuredLength = 64; // a piece is a word or two; a longer one is measured at its ends
        for (auto piece = first; piece != last; ++piece) {
            for (int p = piece->Begin; p < piece->End && p - piece->Begin < MeasuredLength; ++p)
                measure(p);
            measure(piece->End);
        }
        return ends;
    };
    const int width = viewport()->width();
    const int margin = fontMetrics().horizontalAdvance(QChar(0x4E00));
    const auto fits = [&](std::pair<int, int> ends) { return ends.second - ends.first + 2 * margin <= width; };
    // The whole part when it fits in the view, else its first piece, where the reader starts.
    std::pair<int, int> ends = extent(pieces.begin(), pieces.end());
    if (!fits(ends)) ends = extent(pieces.begin(), pieces.begin() + 1);
    const auto [left, right] = ends;
    int target = scrolled; // already in sight: the view stays
    if (right < width)
        target = 0; // in sight beside the line starts
    else if (!fits(ends) || left < scrolled)
        target = left - margin;
    else if (right >= scrolled + width)
        target = right + margin - width;
    horizontal->setValue(target);
}

void TRichEdit::PlaceCaret(int position)
{
    QTextCursor caret(document());
    caret.setPosition(Clamped(position));
    // The editor scrolls to a caret it is given; the callers show what they mean to show.
    const int kept[] = {verticalScrollBar()->value(), horizontalScrollBar()->value()};
    setTextCursor(caret);
    verticalScrollBar()->setValue(kept[0]);
    horizontalScrollBar()->setValue(kept[1]);
}

void TRichEdit::ReserveBottom(int height)
{
    setViewportMargins(0, 0, 0, std::max(height, 0));
}

void TRichEdit::Select(int begin, int end)
{
    QTextCursor cursor(document());
    cursor.setPosition(Clamped(begin));
    cursor.setPosition(Clamped(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TRichEdit::FlashLine(int position)
{
    // Long enough for the eye to find the line after the view has jumped.
    constexpr int FlashMilliseconds = 1500;
    if (FlashEnd == nullptr) {
        FlashEnd = new QTimer(this);
        FlashEnd->setSingleShot(true);
        connect(FlashEnd, &QTimer::timeout, this, [this] {
            FlashedBlock = -1;
            viewport()->update();
        });
    }
    FlashedBlock = document()->findBlock(Clamped(position)).blockNumber();
    viewport()->update();
    FlashEnd->start(FlashMilliseconds);
}

bool TRichEdit::LaidOut() const
{
    // The layout goes from the top down, so the last block has lines when every block has.
    const QTextBlock last = document()->lastBlock();
    return MarkedRuns >= Marks.size() && !document()->pageSize().isNull() && last.layout() != nullptr &&
           last.layout()->lineCount() > 0;
}

int TRichEdit::Clamped(int position) const
{
    return std::clamp(position, 0, std::max(document()->characterCount() - 1, 0));
}

void TRichEdit::MarkUpTo(int position)
{
    if (MarkedRuns >= Marks.size() || Marks[MarkedRuns].Begin >= position) return;
    QTextDocument* held = document();
    OwnChange = true;
    // The marks are the view's own, not the reader's edits: Ctrl+Z does not take them away.
    const bool undo = held->isUndoRedoEnabled();
    held->setUndoRedoEnabled(false);
    QTextCursor cursor(held);
    // One edit block lays the changed blocks out once, not once per run.
    cursor.beginEditBlock();
    for (; MarkedRuns < Marks.size() && Marks[MarkedRuns].Begin < position; ++MarkedRuns) {
        const THighlightRun& run = Marks[MarkedRuns];
        cursor.setPosition(Clamped(run.Begin));
        cursor.setPosition(Clamped(run.End), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(MarkFormat);
    }
    cursor.endEditBlock();
    held->setUndoRedoEnabled(undo);
    OwnChange = false;
}

void TRichEdit::MarkRest()
{
    if (MarkedRuns >= Marks.size()) {
        AheadSteps.stop();
        return;
    }
    // A hidden view lays nothing out, so there a step costs only its own runs.
    if (document()->pageSize().isNull()) {
        MarkUpTo(Marks[MarkedRuns].Begin + HiddenStepUnits);
        return;
    }
    AheadSteps.stop();
    // Formatting text the editor has laid out moves every line below it, once per change; so
    // the rest goes in one change and is laid out afresh. The view keeps its place: the text
    // above the screen's last line is formatted already and lies as before.
    WithoutLayout([&] { MarkUpTo(INT_MAX); });
}

void TRichEdit::MarkShown()
{
    if (MarkedRuns >= Marks.size() || !isVisible() || document()->pageSize().isNull()) return;
    // Asking for the position a screen below the view lays the text out that far, no further.
    const QTextBlock below = cursorForPosition(QPoint(0, 2 * viewport()->height())).block();
    MarkUpTo(below.position() + below.length());
}

void TRichEdit::MoveRuns(int from, int removed, int added)
{
    // A run keeps the characters it had; one typed at its end takes its format, as the editor
    // gives a typed character the format of the one before it.
    const auto moved = [&](int position, bool end) {
        if (position < from || (!end && position == from && removed > 0)) return position;
        if (position >= from + removed) return position - removed + added;
        return end ? from : from + added;
    };
    std::size_t kept = 0, formatted = 0;
    for (std::size_t r = 0; r < Marks.size(); ++r) {
        const THighlightRun run{moved(Marks[r].Begin, false), moved(Marks[r].End, true)};
        if (run.End <= run.Begin) continue;
        if (r < MarkedRuns) ++formatted;
        Marks[kept++] = run;
    }
    Marks.resize(kept);
    MarkedRuns = formatted;
}

void TRichEdit::WithoutLayout(const std::function<void()>& change)
{
    // Placing a cursor asks the layout where it stands, and the editor's answer lays the text
    // out up to it; a format laid out before it is changed is laid out twice. With no page
    // size the layout lays nothing out.
    const bool shown = isVisible();
    // A scroll bar on show stays on show while the text is replaced: hidden for a short first
    // layout and shown again for the rest, it would narrow the view twice and lay a wrapped
    // text out twice.
    QScrollBar* bars[] = {verticalScrollBar(), horizontalScrollBar()};
    const Qt::ScrollBarPolicy policies[] = {verticalScrollBarPolicy(), horizontalScrollBarPolicy()};
    const bool pinned[] = {shown && bars[0]->isVisible() && policies[0] == Qt::ScrollBarAsNeeded,
                           shown && bars[1]->isVisible() && policies[1] == Qt::ScrollBarAsNeeded};
    if (pinned[0]) setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (pinned[1]) setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    document()->setPageSize(QSizeF(0, 0));
    change();
    // A hidden view is laid out when it is shown; one on show lays itself out again, the
    // part on screen first and the rest in the editor's own steps.
    if (shown) setLineWrapColumnOrWidth(lineWrapColumnOrWidth());
    if (pinned[0]) setVerticalScrollBarPolicy(policies[0]);
    if (pinned[1]) setHorizontalScrollBarPolicy(policies[1]);
}

int TRichEdit::ScreensEnd(int top) const
{
    // Without a layout the screen is reckoned in lines of the text, each at least a line on
    // screen, and in a wrapped text also in characters no narrower than the average; a
    // screen below is added.
    const QFontMetrics metrics(font());
    const int lines = 2 * (viewport()->height() / std::max(metrics.lineSpacing(), 1) + 1);
    const bool wrapped = lineWrapMode() != QTextEdit::NoWrap;
    const int units = lines * (viewport()->width() / std::max(metrics.averageCharWidth(), 1) + 1);
    int end = top;
    QTextBlock block = document()->findBlock(top);
    for (int count = 0; count < lines && block.isValid(); ++count, block = block.next()) {
        end = block.position() + block.length();
        if (wrapped && end - top > units) return top + units;
    }
    return std::max(end, top);
}

void TRichEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == AheadSteps.timerId())
        MarkRest();
    else
        QTextEdit::timerEvent(event);
}

void TRichEdit::keyPressEvent(QKeyEvent* event)
{
    QTextEdit::keyPressEvent(event);
    // Ctrl+letter is mapped first: some platforms report the letter itself as the text.
    const int key = event->key();
    char16_t character = 0;
    const bool control = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z)
        character = static_cast<char16_t>(key - Qt::Key_A + 1); // Ctrl+C is 3, Ctrl+X 24
    else if (!event->text().isEmpty())
        character = event->text().front().unicode();
    if (character != 0) emit KeyPressed(character);
}

void TRichEdit::showEvent(QShowEvent* event)
{
    // A text set while the view was hidden is laid out now, for the view's present size.
    if (document()->pageSize().isNull()) setLineWrapColumnOrWidth(lineWrapColumnOrWidth());
    QTextEdit::showEvent(event);
    MarkShown();
    TintShown();
}

void TRichEdit::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    MarkShown();
    TintShown();
}

void TRichEdit::changeEvent(QEvent* event)
{
    // A new font lays the text out anew at other heights: the character shown first before it
    // stays first, where the scroll position alone would show another part of the text.
    const bool font = event->type() == QEvent::FontChange;
    const std::optional<TFirstShown> first = font ? FirstShown() : std::nullopt;
    QTextEdit::changeEvent(event);
    if (!font) return;
    if (first) ShowFirst(*first);
    MarkShown();
}

std::optional<TRichEdit::TFirstShown> TRichEdit::FirstShown() const
{
    // A text not laid out, or shown from its start, stays at its start by itself.
    const bool scrolledSideways = horizontalScrollBar()->value() > 0;
    if (document()->pageSize().isNull() || (verticalScrollBar()->value() == 0 && !scrolledSideways))
        return std::nullopt;
    // A point inside the top pixel row: at the very edge the line that ends there would count.
    return TFirstShown{cursorForPosition(QPoint(0, 1)).position(), scrolledSideways};
}

void TRichEdit::ShowFirst(const TFirstShown& first)
{
    QTextCursor cursor(document());
    cursor.setPosition(Clamped(first.Position));
    // As in ShowPosition: the runs up to its line first, then its rectangle, which lays the
    // text out that far.
    MarkUpTo(cursor.block().position() + cursor.block().length());
    const QRect at = cursorRect(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + at.top());
    if (first.Sideways) horizontalScrollBar()->setValue(horizontalScrollBar()->value() + at.left());
}

void TRichEdit::paintEvent(QPaintEvent* event)
{
    // The viewport has filled its background; the flash goes on it, the text over both.
    const QTextBlock flashed = FlashedBlock >= 0 ? document()->findBlockByNumber(FlashedBlock) : QTextBlock();
    if (flashed.isValid()) {
        const QRectF block = document()->documentLayout()->blockBoundingRect(flashed);
        QPainter painter(viewport());
        painter.fillRect(QRectF(0, block.top() - verticalScrollBar()->value(), viewport()->width(), block.height()),
                         QColor(255, 224, 128));
    }
    QTextEdit::paintEvent(event);
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    const QTextCursor selected = textCursor();
    // Qt's HTML leaves out the editor's own font, so each run gets the face and size it is
    // shown in unless it has its own.
    const std::unique_ptr<QTextDocument> document = FormattedCopy(selected.selectionStart(), selected.selectionEnd());
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
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = viewFont;
            format.merge(fragment.charFormat());
            runs.push_back({fragment.position(), fragment.position() + fragment.length(), format});
        }
    }
    QTextCursor cursor(document.get());
    for (const TRun& run : runs) {
        cursor.setPosition(run.Start);
        cursor.setPosition(run.End, QTextCursor::KeepAnchor);
        cursor.setCharFormat(run.Format);
    }
    auto* data = new QMimeData;
    data->setHtml(QTextDocumentFragment(document.get()).toHtml());
    data->setText(PlainSelectionText(selected));
    return data;
}

void TRichEdit::SetTints(std::vector<TTint> tints)
{
    TintRuns = std::move(tints);
    TintedRuns = 0;
    setExtraSelections({});
    TintShown();
}

void TRichEdit::TintShown()
{
    if (TintedRuns >= TintRuns.size() || !isVisible() || document()->pageSize().isNull()) return;
    // Qt asks the layout where each extra selection stands, which lays the text out up to it;
    // those below the screen wait, as the runs do.
    const QTextBlock below = cursorForPosition(QPoint(0, 2 * viewport()->height())).block();
    const int end = below.position() + below.length();
    if (TintRuns[TintedRuns].Run.Begin >= end) return;
    while (TintedRuns < TintRuns.size() && TintRuns[TintedRuns].Run.Begin < end)
        ++TintedRuns;
    QList<QTextEdit::ExtraSelection> selections;
    selections.reserve(static_cast<qsizetype>(TintedRuns));
    for (std::size_t t = 0; t < TintedRuns; ++t) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(document());
        selection.cursor.setPosition(Clamped(TintRuns[t].Run.Begin));
        selection.cursor.setPosition(Clamped(TintRuns[t].Run.End), QTextCursor::KeepAnchor);
        selection.format.setBackground(TintRuns[t].Color);
        selections.append(selection);
    }
    setExtraSelections(selections);
}

TRichEdit::TTopLine TRichEdit::TopLine() const
{
    // A line whose top stands a fraction of a pixel below the view's edge is the top line
    // still: lines fall on fractional pixels, scroll positions on whole ones.
    QTextCursor top = cursorForPosition(QPoint(0, QFontMetrics(font()).lineSpacing() / 4));
    top.movePosition(QTextCursor::StartOfLine);
    return {top.position(), cursorRect(top).top()};
}

void TRichEdit::ShowLineAt(int position, int offset)
{
    QTextCursor cursor(document());
    cursor.setPosition(Clamped(position));
    // As ShowPosition: the runs above first, so that the line stays where it is put.
    MarkUpTo(cursor.block().position() + cursor.block().length());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setValue(vertical->value() + cursorRect(cursor).top() - offset);
}
