#pragma once

// Placement by design geometry: each child keeps the rectangle it was designed at, and an
// anchored edge follows the parent's edge when the parent is larger or smaller than designed.

#include <QLayout>

#include <vector>

// Which edges of a control keep their distance to the same edges of the parent.
enum TAnchor
{
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorTopLeft = AnchorLeft | AnchorTop,
    AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom,
};

class TAnchorLayout : public QLayout
{
public:
    TAnchorLayout(QWidget* parent, QSize designSize);
    ~TAnchorLayout() override;

    void Place(QWidget* widget, const QRect& designRect, int anchors = AnchorTopLeft);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct TPlacement
    {
        QLayoutItem* Item;
        QRect DesignRect;
        int Anchors;
    };
    QRect PlacedRect(const TPlacement& placement, const QRect& area) const;

    QSize DesignSize;
    std::vector<TPlacement> Placements;
};
