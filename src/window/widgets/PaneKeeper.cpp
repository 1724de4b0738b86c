#include "window/widgets/PaneKeeper.h"

#include "session/ScreenFit.h"

#include <QResizeEvent>
#include <QSplitter>

#include <algorithm>

TPaneKeeper::TPaneKeeper(QSplitter* splitter, std::function<void()> arrange)
    : QObject(splitter), Splitter(splitter), Arrange(std::move(arrange))
{
    splitter->installEventFilter(this);
}

std::optional<TSplitterPane> TPaneKeeper::Pane() const
{
    const std::u16string name = Splitter->objectName().toStdU16String();
    if (!LaidOut) {
        if (Restored) return TSplitterPane{name, Restored->First};
        return std::nullopt;
    }
    const QList<int> sizes = Splitter->sizes();
    const int space = sizes.value(0) + sizes.value(1);
    const QWidget* window = Splitter->window();
    const QSize normal = window->normalGeometry().isValid() ? window->normalGeometry().size() : window->size();
    const int normalSpace = space - Along(window->size()) + Along(normal);
    return TSplitterPane{name,
                         FitFirstPane(sizes.value(0), space, normalSpace, Splitter->property("minimumPane").toInt())};
}

void TPaneKeeper::Restore(const std::vector<TSplitterPane>& panes, QSize savedWindow)
{
    const std::u16string name = Splitter->objectName().toStdU16String();
    const auto pane =
        std::find_if(panes.begin(), panes.end(), [&](const TSplitterPane& p) { return p.Splitter == name; });
    if (pane == panes.end()) return;
    Restored = TRestored{pane->FirstPane, savedWindow};
    if (Splitter->isVisible()) {
        Take(*Restored);
        Restored.reset();
    }
}

void TPaneKeeper::DropRestored()
{
    Restored.reset();
}

void TPaneKeeper::Take(const TRestored& restored)
{
    const int space = std::max(0, Along(Splitter->size()) - Splitter->handleWidth());
    const int savedSpace = restored.SavedWindow.isValid()
                               ? space + Along(restored.SavedWindow) - Along(Splitter->window()->size())
                               : space;
    const int first = FitFirstPane(restored.First, savedSpace, space, Splitter->property("minimumPane").toInt());
    Splitter->setSizes({first, space - first});
}

int TPaneKeeper::Along(QSize size) const
{
    return Splitter->orientation() == Qt::Vertical ? size.height() : size.width();
}

bool TPaneKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Splitter) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show) LaidOut = true;
    // Only a change along the splitter counts, so dragging the other border keeps this one.
    if (event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (Along(resize->size()) != Along(resize->oldSize())) {
            if (Restored) {
                Take(*Restored);
                Restored.reset();
            } else if (Arrange) {
                Arrange();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
