#include "window/widgets/ScrollKeeper.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QScrollBar>
#include <QTimer>

namespace {

QScrollBar* Bar(const QAbstractScrollArea* view, int axis)
{
    return axis == 0 ? view->verticalScrollBar() : view->horizontalScrollBar();
}

} // namespace

TScrollKeeper::TScrollKeeper(QAbstractScrollArea* view) : QObject(view), View(view)
{
    view->installEventFilter(this);
    for (int axis = 0; axis < 2; ++axis) {
        QScrollBar* bar = Bar(view, axis);
        connect(bar, &QScrollBar::rangeChanged, this, [this] { Apply(); });
        connect(bar, &QScrollBar::actionTriggered, this, [this, axis] { Wanted[axis] = -1; });
    }
}

void TScrollKeeper::Restore(int vertical, int horizontal)
{
    Wanted[0] = vertical;
    Wanted[1] = horizontal;
    Apply();
}

void TScrollKeeper::Drop()
{
    Wanted[0] = Wanted[1] = -1;
}

int TScrollKeeper::Vertical() const
{
    return Wanted[0] >= 0 ? Wanted[0] : View->verticalScrollBar()->value();
}

int TScrollKeeper::Horizontal() const
{
    return Wanted[1] >= 0 ? Wanted[1] : View->horizontalScrollBar()->value();
}

void TScrollKeeper::Apply()
{
    bool restored = false;
    for (int axis = 0; axis < 2; ++axis) {
        if (Wanted[axis] < 0) continue;
        QScrollBar* bar = Bar(View, axis);
        bar->setValue(Wanted[axis]);
        // Reached on a view on show, whose first show has passed: nothing will move it now.
        if (bar->value() == Wanted[axis] && View->isVisible() && Shown) {
            Wanted[axis] = -1;
            restored = restored || axis == 0;
        }
    }
    if (restored) emit Restored();
}

bool TScrollKeeper::eventFilter(QObject* watched, QEvent* event)
{
    // The view's own first show scrolls to the caret after this event; the position is
    // applied once that is done.
    if (watched == View && event->type() == QEvent::Show)
        QTimer::singleShot(0, this, [this] {
            Shown = true;
            Apply();
        });
    return QObject::eventFilter(watched, event);
}
