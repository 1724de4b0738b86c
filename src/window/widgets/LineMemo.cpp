#include "window/widgets/LineMemo.h"

#include "window/widgets/SelectionText.h"

#include <QGuiApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Laid-out lines kept at most; a screen holds a few dozen.
constexpr std::size_t KeptLayouts = 512;

} // namespace

TLineMemo::TLineMemo(QWidget* parent) : TPlainMemo(parent)
{
    connect(document(), &QTextDocument::contentsChanged, this, [this] { DocumentChanged(); });
}

TLineMemo::~TLineMemo() = default;

void TLineMemo::ShowText(QString text)
{
    Building = true;
    if (!document()->isEmpty()) clear();
    Building = false;
    // Breaks other than "\n" the document treats in ways of its own: such a text goes to it.
    const bool plain = std::none_of(text.cbegin(), text.cend(), [](QChar unit) {
        return unit == u'\r' || unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator ||
               unit == QChar(0xFDD0) || unit == QChar(0xFDD1);
    });
    if (!plain) {
        LeaveLines();
        setPlainText(text);
        return;
    }
    Shown = std::move(text);
    Starts.clear();
    Starts.push_back(0);
    const QChar* units = Shown.constData();
    for (qsizetype i = 0, n = Shown.size(); i < n; ++i)
        if (units[i] == u'\n') Starts.push_back(i + 1);
    Viewing = true;
    Caret = Anchor = 0;
    CaretX = -1;
    Widest = BarsWidest = 0;
    Layouts.clear();
    AdjustBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    RestartBlink();
    viewport()->update();
}

QString TLineMemo::Text() const
{
    return Viewing ? Shown : PlainDocumentText(document());
}

int TLineMemo::CaretPosition() const
{
    return Viewing ? static_cast<int>(Caret) : textCursor().position();
}

int TLineMemo::AnchorPosition() const
{
    return Viewing ? static_cast<int>(Anchor) : textCursor().anchor();
}

int TLineMemo::LineOf(qsizetype position) const
{
    return static_cast<int>(std::upper_bound(Starts.begin(), Starts.end(), position) - Starts.begin()) - 1;
}

qsizetype TLineMemo::LineLength(int line) const
{
    const qsizetype end = line + 1 < LineCount() ? Starts[line + 1] - 1 : Shown.size();
    return end - Starts[line];
}

QTextLayout& TLineMemo::Layout(int line) const
{
    auto found = Layouts.find(line);
    if (found != Layouts.end()) return *found->second;
    if (Layouts.size() >= KeptLayouts) Layouts.clear();
    // Laid out as the editor lays out a block that does not wrap.
    auto layout =
        std::make_unique<QTextLayout>(Shown.mid(Starts[line], LineLength(line)), document()->defaultFont(), viewport());
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    const qreal margin = document()->documentMargin();
    layout->beginLayout();
    QTextLine row = layout->createLine();
    if (row.isValid()) {
        row.setLeadingIncluded(true);
        row.setLineWidth(qreal(INT_MAX));
        row.setPosition(QPointF(margin, 0));
        Widest = std::max(Widest, static_cast<int>(std::ceil(row.naturalTextWidth() + 2 * margin)));
    }
    layout->endLayout();
    return *Layouts.emplace(line, std::move(layout)).first->second;
}

int TLineMemo::TopOffset() const
{
    return verticalScrollBar()->value() == 0 ? static_cast<int>(document()->documentMargin()) : 0;
}

qsizetype TLineMemo::PositionAt(const QPoint& point) const
{
    int line = std::clamp(verticalScrollBar()->value(), 0, LineCount() - 1);
    qreal y = TopOffset();
    while (line + 1 < LineCount() && y + LineHeight(line) <= point.y()) {
        y += LineHeight(line);
        ++line;
    }
    const QTextLine row = Layout(line).lineAt(0);
    const int column = row.isValid() ? row.xToCursor(point.x() + horizontalScrollBar()->value()) : 0;
    return Starts[line] + column;
}

void TLineMemo::AdjustBars()
{
    if (!Viewing) return;
    // The ranges the editor gives a document of these lines: the last page is full.
    QScrollBar* vertical = verticalScrollBar();
    int maximum = 0, page = 0;
    if (isVisible()) {
        const qreal visible = viewport()->height() - document()->documentMargin() - 1;
        // The last line's box takes the bottom margin too.
        qreal y = 0;
        for (int line = LineCount() - 1; line >= 0; --line) {
            y += static_cast<int>(LineHeight(line) + (line + 1 == LineCount() ? document()->documentMargin() : 0));
            if (y > visible) break;
            ++page;
        }
        maximum = std::max(0, LineCount() - page);
    } else {
        maximum = std::max(0, LineCount() - 1);
        const int spacing = fontMetrics().lineSpacing();
        page = spacing != 0 ? viewport()->height() / spacing : 0;
    }
    vertical->setRange(0, maximum);
    vertical->setPageStep(page);
    BarsWidest = Widest;
    horizontalScrollBar()->setRange(0, std::max(0, Widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void TLineMemo::paintEvent(QPaintEvent* event)
{
    if (!Viewing) {
        TPlainMemo::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    const qsizetype from = std::min(Caret, Anchor), to = std::max(Caret, Anchor);
    QTextLayout::FormatRange selection;
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    selection.format.setBackground(palette().brush(group, QPalette::Highlight));
    selection.format.setForeground(palette().brush(group, QPalette::HighlightedText));
    painter.setPen(palette().text().color());
    const qreal x = -horizontalScrollBar()->value();
    qreal y = TopOffset();
    for (int line = verticalScrollBar()->value(); line < LineCount() && y <= exposed.bottom(); ++line) {
        QTextLayout& layout = Layout(line);
        const qreal height = layout.boundingRect().height();
        if (y + height >= exposed.top()) {
            // A selection that runs past the line's end covers its line break too.
            const qsizetype start = Starts[line], blockLength = LineLength(line) + 1;
            QList<QTextLayout::FormatRange> selections;
            if (from < to && from < start + blockLength && to > start) {
                selection.start = static_cast<int>(std::max<qsizetype>(from - start, 0));
                selection.length = static_cast<int>(std::min(to - start, blockLength)) - selection.start;
                selections.append(selection);
            }
            layout.draw(&painter, QPointF(x, y), selections, exposed);
            if (CaretOn && Caret >= start && Caret < start + blockLength)
                layout.drawCursor(&painter, QPointF(x, y), static_cast<int>(Caret - start), cursorWidth());
        }
        y += height;
    }
    if (Widest != BarsWidest) AdjustBars();
}

void TLineMemo::resizeEvent(QResizeEvent* event)
{
    if (!Viewing) {
        TPlainMemo::resizeEvent(event);
        return;
    }
    // The editor's own handling would fit the bars to its empty document.
    QAbstractScrollArea::resizeEvent(event);
    AdjustBars();
}

void TLineMemo::showEvent(QShowEvent* event)
{
    if (!Viewing) {
        TPlainMemo::showEvent(event);
        return;
    }
    QAbstractScrollArea::showEvent(event);
    AdjustBars();
}

void TLineMemo::changeEvent(QEvent* event)
{
    const int top = verticalScrollBar()->value(), left = horizontalScrollBar()->value();
    TPlainMemo::changeEvent(event);
    if (!Viewing || event->type() != QEvent::FontChange) return;
    // A new font lays the lines out anew; the editor keeps its first line on the screen.
    Layouts.clear();
    Widest = 0;
    AdjustBars();
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
    viewport()->update();
}

void TLineMemo::scrollContentsBy(int dx, int dy)
{
    if (Viewing)
        viewport()->update();
    else
        TPlainMemo::scrollContentsBy(dx, dy);
}

void TLineMemo::MoveCaret(qsizetype position, bool keepAnchor)
{
    Caret = std::clamp<qsizetype>(position, 0, Shown.size());
    if (!keepAnchor) Anchor = Caret;
    EnsureCaretVisible();
    RestartBlink();
    viewport()->update();
}

void TLineMemo::EnsureCaretVisible()
{
    const int line = LineOf(Caret);
    QScrollBar* vertical = verticalScrollBar();
    if (line < vertical->value()) {
        vertical->setValue(line);
    } else {
        // The first line that still shows line whole at the bottom.
        const qreal visible = viewport()->height() - TopOffset();
        qreal height = LineHeight(line);
        int top = line;
        while (top > 0 && height + LineHeight(top - 1) <= visible)
            height += LineHeight(--top);
        if (top > vertical->value()) vertical->setValue(top);
    }
    // The bars first: laying out other lines may empty the cache the row below points into.
    if (Widest != BarsWidest) AdjustBars();
    const QTextLine row = Layout(line).lineAt(0);
    if (!row.isValid()) return;
    // Sideways the editor brings the caret to the middle of the view.
    const int x = static_cast<int>(row.cursorToX(static_cast<int>(Caret - Starts[line])));
    QScrollBar* horizontal = horizontalScrollBar();
    if (x < horizontal->value() || x >= horizontal->value() + viewport()->width())
        horizontal->setValue(x - viewport()->width() / 2);
}

QMimeData* TLineMemo::createMimeDataFromSelection() const
{
    if (!Viewing) return TPlainMemo::createMimeDataFromSelection();
    auto* data = new QMimeData;
    const qsizetype from = std::min(Caret, Anchor);
    data->setText(Shown.mid(from, std::max(Caret, Anchor) - from));
    return data;
}

void TLineMemo::CopySelection() const
{
    if (Caret != Anchor) QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

void TLineMemo::BuildDocument()
{
    if (!Viewing) return;
    const qsizetype caret = Caret, anchor = Anchor;
    const int top = verticalScrollBar()->value(), left = horizontalScrollBar()->value();
    const QString text = std::move(Shown);
    LeaveLines();
    Building = true;
    setPlainText(text);
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(anchor));
    cursor.setPosition(static_cast<int>(caret), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
    Building = false;
    viewport()->update();
}

void TLineMemo::DocumentChanged()
{
    if (!Viewing || Building) return;
    // The editor's own calls set a new text, which replaces the lines.
    LeaveLines();
}

void TLineMemo::LeaveLines()
{
    Viewing = false;
    Shown.clear();
    Starts = {};
    Layouts.clear();
    Blink.stop();
    AutoScroll.stop();
    Selecting = false;
    CaretOn = false;
}
