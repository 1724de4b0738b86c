#include "window/widgets/OwnerTabBar.h"

#include <QStyleOptionTab>
#include <QStylePainter>

void TOwnerTabBar::SetPainter(TTabPainter painter)
{
    Painter = std::move(painter);
    update();
}

void TOwnerTabBar::paintEvent(QPaintEvent* event)
{
    if (!Painter) {
        QTabBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    auto drawTab = [&](int index) {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        // The caption area inside the tab's frame.
        const QRect inner = tabRect(index).adjusted(2, 2, -2, 0);
        painter.save();
        painter.setClipRect(inner);
        Painter(painter, index, inner, index == currentIndex());
        painter.restore();
    };
    // The selected tab overlaps its neighbours, so it is drawn last.
    for (int i = 0; i < count(); ++i)
        if (i != currentIndex()) drawTab(i);
    if (currentIndex() >= 0) drawTab(currentIndex());
}

QSize TOwnerTabBar::tabSizeHint(int index) const
{
    const QSize styled = QTabBar::tabSizeHint(index);
    if (!Painter) return styled;
    // Painted captions need only their bold width and a small margin, so that all seven
    // tabs of the text pages fit side by side.
    QFont bold = font();
    bold.setBold(true);
    return {QFontMetrics(bold).horizontalAdvance(tabText(index)) + 16, styled.height()};
}
