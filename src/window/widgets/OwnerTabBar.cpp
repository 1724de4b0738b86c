#include "window/widgets/OwnerTabBar.h"

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
    // The owner paints the whole tab, frame area included: its caption stands 2 pixels
    // below the tab's top, and the style's frame would show around the owner's fill.
    auto drawTab = [&](int index) {
        const QRect whole = tabRect(index);
        painter.save();
        painter.setClipRect(whole);
        Painter(painter, index, whole, index == currentIndex());
        painter.restore();
    };
    for (int i = 0; i < count(); ++i)
        drawTab(i);
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
