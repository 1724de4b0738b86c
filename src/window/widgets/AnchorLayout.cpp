#include "window/widgets/AnchorLayout.h"

#include <QWidget>

#include <algorithm>
#include <utility>

TAnchorLayout::TAnchorLayout(QWidget* parent, QSize designSize) : QLayout(parent), DesignSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
}

TAnchorLayout::~TAnchorLayout()
{
    for (TPlacement& placement : Placements)
        delete placement.Item;
}

void TAnchorLayout::Place(QWidget* widget, const QRect& designRect, int anchors)
{
    addChildWidget(widget);
    Placements.push_back({new QWidgetItem(widget), designRect, anchors});
    widget->setGeometry(designRect);
    invalidate();
}

void TAnchorLayout::addItem(QLayoutItem* item)
{
    Placements.push_back({item, item->geometry(), AnchorTopLeft});
}

QLayoutItem* TAnchorLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? Placements[index].Item : nullptr;
}

QLayoutItem* TAnchorLayout::takeAt(int index)
{
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = Placements[index].Item;
    Placements.erase(Placements.begin() + index);
    return item;
}

int TAnchorLayout::count() const
{
    return static_cast<int>(Placements.size());
}

QSize TAnchorLayout::sizeHint() const
{
    return DesignSize;
}

QSize TAnchorLayout::minimumSize() const
{
    return {0, 0};
}

QRect TAnchorLayout::PlacedRect(const TPlacement& placement, const QRect& area) const
{
    // Both edges anchored: the control stretches; one: it moves with that edge; neither:
    // it keeps its relative position, moving by half the change.
    auto follow = [](int start, int length, int change, bool first, bool second) {
        if (second) {
            if (first)
                length += change;
            else
                start += change;
        } else if (!first) {
            start += change / 2;
        }
        return std::pair{start, std::max(0, length)};
    };
    const QRect& r = placement.DesignRect;
    const int a = placement.Anchors;
    const auto [x, width] =
        follow(r.left(), r.width(), area.width() - DesignSize.width(), a & AnchorLeft, a & AnchorRight);
    const auto [y, height] =
        follow(r.top(), r.height(), area.height() - DesignSize.height(), a & AnchorTop, a & AnchorBottom);
    return {area.left() + x, area.top() + y, width, height};
}

void TAnchorLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    // Hidden controls are placed too, so that they appear in the right place when shown.
    for (const TPlacement& placement : Placements) {
        const QRect placed = PlacedRect(placement, rect);
        if (QWidget* widget = placement.Item->widget())
            widget->setGeometry(placed);
        else
            placement.Item->setGeometry(placed);
    }
}
