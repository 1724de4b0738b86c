#include "window/reading/HitNavigator.h"

#include "window/widgets/AccessibleNames.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* StepButton(QWidget* parent, const QString& name, const QString& arrow, const QString& spoken,
                        const QString& keys)
{
    auto* button = Spoken(new QToolButton(parent), spoken);
    const QString tip = spoken + " (" + keys + ")";
    button->setObjectName(name);
    button->setText(arrow);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(17, 17);
    return button;
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
    entry.Previous = StepButton(entry.Strip, view->objectName() + "PreviousHit", "▲", "이전 검색어", "Shift+F3");
    entry.Next = StepButton(entry.Strip, view->objectName() + "NextHit", "▼", "다음 검색어", "F3");
    row->addWidget(entry.Count);
    row->addWidget(entry.Previous);
    row->addWidget(entry.Next);
    entry.Strip->hide();
    for (int step : {-1, 1})
        connect(step < 0 ? entry.Previous : entry.Next, &QToolButton::clicked, this, [this, view, step] {
            if (TNavigatedView* found = Find(view)) {
                MoveTo(*found, found->Current + step, true);
                view->setFocus();
            }
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
        entry.Starts.clear();
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
    entry->Starts.clear();
    for (const THitOccurrence& occurrence : occurrences)
        entry->Starts.push_back(occurrence.Span.Begin);
    entry->Current = -1;
    entry->StoppedAt = 0;
    if (occurrences.empty()) {
        entry->Strip->hide();
        return;
    }
    MoveTo(*entry, 0, false);
}

void THitNavigator::Step(int step)
{
    if (TRichEdit* view = ActiveView()) {
        TNavigatedView& entry = *Find(view);
        MoveTo(entry, entry.Current + step, true);
    }
}

bool THitNavigator::GoToOccurrence(int family, std::int32_t begin)
{
    const int tab = ViewPage->currentIndex();
    for (TNavigatedView& entry : Views) {
        if (entry.Tab != tab || entry.Family != family) continue;
        const auto found = std::find(entry.Starts.begin(), entry.Starts.end(), begin);
        if (found == entry.Starts.end()) continue;
        MoveTo(entry, static_cast<int>(found - entry.Starts.begin()), true);
        return true;
    }
    return false;
}

TRichEdit* THitNavigator::ActiveView() const
{
    const QWidget* focus = QApplication::focusWidget();
    for (const TNavigatedView& entry : Views)
        if (entry.View == focus && !entry.Starts.empty()) return entry.View;
    for (const TNavigatedView& entry : Views)
        if (entry.Tab == ViewPage->currentIndex() && !entry.Starts.empty()) return entry.View;
    return nullptr;
}

QString THitNavigator::Indication(const TRichEdit* view) const
{
    const TNavigatedView* entry = Find(view);
    if (entry == nullptr || entry->Starts.empty()) return {};
    QString text = QString("%1 / %2").arg(entry->Current + 1).arg(entry->Starts.size());
    if (entry->StoppedAt != 0) text += entry->StoppedAt < 0 ? " 처음" : " 끝";
    return text;
}

void THitNavigator::MoveTo(TNavigatedView& entry, int index, bool placeCaret)
{
    if (entry.Starts.empty()) return;
    const int last = static_cast<int>(entry.Starts.size()) - 1;
    entry.StoppedAt = index < 0 ? -1 : index > last ? 1 : 0;
    entry.Current = std::clamp(index, 0, last);
    // The caret only, never a selection: the selection colour would hide the red run.
    if (placeCaret) entry.View->PlaceCaret(entry.Starts[entry.Current]);
    Reveal(entry);
    ShowIndication(entry);
}

void THitNavigator::Reveal(TNavigatedView& entry)
{
    // A view on a hidden tab has no final size yet; it is scrolled when it comes on show.
    entry.RevealPending = !entry.View->isVisible();
    if (!entry.RevealPending) entry.View->ShowPosition(entry.Starts[entry.Current]);
}

void THitNavigator::ShowIndication(TNavigatedView& entry)
{
    entry.Count->setText(Indication(entry.View));
    entry.Previous->setEnabled(entry.Current > 0);
    entry.Next->setEnabled(entry.Current + 1 < static_cast<int>(entry.Starts.size()));
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
                if (found->Starts.empty()) {
                    view->verticalScrollBar()->setValue(0);
                    view->horizontalScrollBar()->setValue(0);
                } else {
                    view->ShowPosition(found->Starts[found->Current]);
                }
            });
        } else if (watched == entry.TitleBar && event->type() == QEvent::Resize) {
            PlaceStrip(entry);
        }
    }
    return QObject::eventFilter(watched, event);
}
