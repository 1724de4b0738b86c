#include "window/reading/HitNavigator.h"

#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

QToolButton* StepButton(QWidget* parent, const QString& name, const QString& arrow, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(arrow);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(17, 17);
    return button;
}

// The start of the first line view shows, and the end of its last, partly shown lines included.
int FirstShown(const TRichEdit& view)
{
    QTextCursor top = view.cursorForPosition(QPoint(0, 0));
    top.movePosition(QTextCursor::StartOfLine);
    return top.position();
}

int LastShown(const TRichEdit& view)
{
    QTextCursor bottom = view.cursorForPosition(QPoint(0, view.viewport()->height() - 1));
    bottom.movePosition(QTextCursor::EndOfLine);
    return bottom.position();
}

// Where the reader is: the caret while its line is on screen, else the first line shown.
struct TReadingPoint
{
    int Position = 0;
    bool Caret = false;
};

TReadingPoint ReadingPoint(const TRichEdit& view)
{
    const QRect caret = view.cursorRect();
    if (caret.bottom() >= 0 && caret.top() < view.viewport()->height()) return {view.textCursor().position(), true};
    return {FirstShown(view), false};
}

} // namespace

THitNavigator::THitNavigator(QWidget* window, TPageControl* viewPage) : QObject(window), ViewPage(viewPage)
{
    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), window, [this] { Step(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), window, [this] { Step(-1); });
    next->setObjectName("NextHitShortcut");
    previous->setObjectName("PreviousHitShortcut");
}

void THitNavigator::Attach(TRichEdit* view, QLabel* titleBar, int tab, int family)
{
    TNavigatedView entry;
    entry.View = view;
    entry.TitleBar = titleBar;
    entry.Tab = tab;
    entry.Family = family;
    entry.Strip = new QWidget(titleBar);
    entry.Strip->setObjectName(view->objectName() + "HitStrip");
    auto* row = new QHBoxLayout(entry.Strip);
    row->setContentsMargins(0, 0, 2, 0);
    row->setSpacing(1);
    entry.Count = new QLabel(entry.Strip);
    entry.Count->setObjectName(view->objectName() + "HitCount");
    entry.Previous = StepButton(entry.Strip, view->objectName() + "PreviousHit", "▲", "이전 검색어 (Shift+F3)");
    entry.Next = StepButton(entry.Strip, view->objectName() + "NextHit", "▼", "다음 검색어 (F3)");
    row->addWidget(entry.Count);
    row->addWidget(entry.Previous);
    row->addWidget(entry.Next);
    entry.Strip->hide();
    for (int step : {-1, 1})
        connect(step < 0 ? entry.Previous : entry.Next, &QToolButton::clicked, this, [this, view, step] {
            if (TNavigatedView* found = Find(view)) {
                Step(*found, step);
                view->setFocus();
            }
        });
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, view] {
        if (TNavigatedView* found = Find(view)) Follow(*found);
    });
    view->installEventFilter(this);
    titleBar->installEventFilter(this);
    Views.push_back(entry);
}

THitNavigator::TNavigatedView* THitNavigator::Find(const TRichEdit* view)
{
    for (TNavigatedView& entry : Views)
        if (entry.View == view) return &entry;
    return nullptr;
}

const THitNavigator::TNavigatedView* THitNavigator::Find(const TRichEdit* view) const
{
    return const_cast<THitNavigator*>(this)->Find(view);
}

void THitNavigator::Clear()
{
    for (TNavigatedView& entry : Views) {
        entry.Spans.clear();
        entry.Current = -1;
        entry.RevealPending = false;
        entry.StoppedAt = 0;
        entry.Strip->hide();
    }
}

void THitNavigator::SetOccurrences(TRichEdit* view, const std::vector<THitOccurrence>& occurrences)
{
    TNavigatedView* entry = Find(view);
    if (entry == nullptr) return;
    entry->Spans.clear();
    for (const THitOccurrence& occurrence : occurrences)
        entry->Spans.push_back(occurrence.Span);
    entry->Current = -1;
    entry->StoppedAt = 0;
    if (occurrences.empty()) {
        entry->Strip->hide();
        return;
    }
    MoveTo(*entry, 0);
}

void THitNavigator::Step(int step)
{
    if (TRichEdit* view = ActiveView()) Step(*Find(view), step);
}

void THitNavigator::Step(TNavigatedView& entry, int step)
{
    if (entry.Spans.empty()) return;
    const TReadingPoint from = ReadingPoint(*entry.View);
    // The occurrences in text order: those after the point begin at the first one past it;
    // an occurrence the caret stands at the start of is the one the reader has reached.
    const auto after = std::partition_point(entry.Spans.begin(), entry.Spans.end(), [&](const THighlightRun& span) {
        return from.Caret ? span.Begin <= from.Position : span.Begin < from.Position;
    });
    const auto before = std::partition_point(entry.Spans.begin(), entry.Spans.end(),
                                             [&](const THighlightRun& span) { return span.Begin < from.Position; });
    const int index = static_cast<int>((step > 0 ? after : before) - entry.Spans.begin()) - (step > 0 ? 0 : 1);
    const int last = static_cast<int>(entry.Spans.size()) - 1;
    if (index >= 0 && index <= last) {
        MoveTo(entry, index);
        return;
    }
    // Nothing further that way: the view stays where the reader has it.
    entry.Current = step > 0 ? last : 0;
    entry.StoppedAt = step > 0 ? 1 : -1;
    ShowIndication(entry);
}

void THitNavigator::Settle(TRichEdit* view)
{
    if (!view->isVisible()) return;
    TNavigatedView* entry = Find(view);
    const int first = FirstShown(*view), last = LastShown(*view);
    if (entry == nullptr || entry->Spans.empty() || entry->RevealPending) {
        view->PlaceCaret(first);
        return;
    }
    // The view stands where the reader left it, and a step leaves its occurrence a third from
    // the top, or where it stands on the first screen: of those in view, the one nearest that
    // line is the reader's.
    const long reading = view->verticalScrollBar()->value() == 0 ? INT_MIN : view->viewport()->height() / 3;
    int nearest = -1;
    long distance = LONG_MAX;
    QTextCursor cursor(view->document());
    for (auto span = std::partition_point(entry->Spans.begin(), entry->Spans.end(),
                                          [&](const THighlightRun& s) { return s.End <= first; });
         span != entry->Spans.end() && span->Begin <= last; ++span) {
        cursor.setPosition(span->Begin);
        const long away = std::labs(view->cursorRect(cursor).top() - reading);
        if (away < distance) {
            distance = away;
            nearest = static_cast<int>(span - entry->Spans.begin());
        }
    }
    if (nearest < 0) {
        Follow(*entry);
        view->PlaceCaret(first);
        return;
    }
    entry->Current = nearest;
    entry->StoppedAt = 0;
    ShowIndication(*entry);
    view->PlaceCaret(entry->Spans[nearest].Begin);
}

bool THitNavigator::GoToOccurrence(int family, std::int32_t begin)
{
    const int tab = ViewPage->currentIndex();
    for (TNavigatedView& entry : Views) {
        if (entry.Tab != tab || entry.Family != family) continue;
        const auto found = std::find_if(entry.Spans.begin(), entry.Spans.end(),
                                        [&](const THighlightRun& span) { return span.Begin == begin; });
        if (found == entry.Spans.end()) continue;
        MoveTo(entry, static_cast<int>(found - entry.Spans.begin()));
        return true;
    }
    return false;
}

TRichEdit* THitNavigator::ActiveView() const
{
    const QWidget* focus = QApplication::focusWidget();
    for (const TNavigatedView& entry : Views)
        if (entry.View == focus && !entry.Spans.empty()) return entry.View;
    for (const TNavigatedView& entry : Views)
        if (entry.Tab == ViewPage->currentIndex() && !entry.Spans.empty()) return entry.View;
    return nullptr;
}

QString THitNavigator::Indication(const TRichEdit* view) const
{
    const TNavigatedView* entry = Find(view);
    if (entry == nullptr || entry->Spans.empty()) return {};
    QString text = QString("%1 / %2").arg(entry->Current + 1).arg(entry->Spans.size());
    if (entry->StoppedAt != 0) text += entry->StoppedAt < 0 ? " 처음" : " 끝";
    return text;
}

void THitNavigator::MoveTo(TNavigatedView& entry, int index)
{
    entry.StoppedAt = 0;
    entry.Current = index;
    Reveal(entry);
    // The caret only, never a selection: the selection colour would hide the red run. At the
    // run's start, so that Page Down goes on from the run the view shows.
    entry.View->PlaceCaret(entry.Spans[index].Begin);
    ShowIndication(entry);
}

void THitNavigator::Reveal(TNavigatedView& entry)
{
    // A view on a hidden tab has no final size yet; it is scrolled when it comes on show.
    entry.RevealPending = !entry.View->isVisible();
    const THighlightRun& span = entry.Spans[entry.Current];
    if (!entry.RevealPending) entry.View->ShowPosition(span.Begin, span.End);
}

void THitNavigator::Follow(TNavigatedView& entry)
{
    if (entry.Current < 0 || entry.RevealPending || !entry.View->isVisible()) return;
    const int first = FirstShown(*entry.View), last = LastShown(*entry.View);
    const auto shown = [&](const THighlightRun& span) { return span.End > first && span.Begin <= last; };
    if (shown(entry.Spans[entry.Current])) return;
    // The first occurrence on screen; with none, the last one the reader has passed.
    const auto next = std::partition_point(entry.Spans.begin(), entry.Spans.end(),
                                           [&](const THighlightRun& span) { return span.End <= first; });
    const int index = static_cast<int>(next - entry.Spans.begin());
    const int current = next != entry.Spans.end() && shown(*next) ? index : std::max(index - 1, 0);
    if (current == entry.Current) return;
    entry.Current = current;
    entry.StoppedAt = 0;
    ShowIndication(entry);
}

void THitNavigator::ShowIndication(TNavigatedView& entry)
{
    entry.Count->setText(Indication(entry.View));
    entry.Previous->setEnabled(entry.Current > 0);
    entry.Next->setEnabled(entry.Current + 1 < static_cast<int>(entry.Spans.size()));
    PlaceStrip(entry);
    entry.Strip->show();
}

void THitNavigator::PlaceStrip(TNavigatedView& entry)
{
    // Over the right end of the title bar, so that the bar keeps its size and caption.
    const QSize size = entry.Strip->sizeHint();
    const QRect bar = entry.TitleBar->contentsRect();
    entry.Strip->setGeometry(bar.right() + 1 - size.width(), bar.top(), size.width(), bar.height());
}

bool THitNavigator::eventFilter(QObject* watched, QEvent* event)
{
    for (TNavigatedView& entry : Views) {
        if (watched == entry.View && event->type() == QEvent::Show) {
            const bool first = !entry.EverShown;
            entry.EverShown = true;
            if (!first && !entry.RevealPending) continue;
            entry.RevealPending = false;
            // After the editor's own show handling, which on its first showing scrolls to
            // the caret: a view with runs shows its current run, one without stays at the top.
            QPointer<TRichEdit> view = entry.View;
            QTimer::singleShot(0, this, [this, view] {
                TNavigatedView* found = view ? Find(view) : nullptr;
                if (found == nullptr) return;
                if (found->Spans.empty()) {
                    view->verticalScrollBar()->setValue(0);
                    view->horizontalScrollBar()->setValue(0);
                } else {
                    const THighlightRun& span = found->Spans[found->Current];
                    view->ShowPosition(span.Begin, span.End);
                }
            });
        } else if (watched == entry.TitleBar && event->type() == QEvent::Resize) {
            PlaceStrip(entry);
        }
    }
    return QObject::eventFilter(watched, event);
}
