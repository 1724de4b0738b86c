#include "window/widgets/OwnerTabBar.h"

#include <QStylePainter>

#include <algorithm>

void TOwnerTabBar::SetPainter(TTabPainter painter)
{
    Painter = std::move(painter);
    update();
}

void TOwnerTabBar::SetFitToWidth(bool fit)
{
    FitToWidth = fit;
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
    constexpr int Margin = 16, NarrowestMargin = 6;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int margin = Margin;
    if (FitToWidth && parentWidget() != nullptr) {
        int captions = 0;
        for (int i = 0; i < count(); ++i)
            captions += metrics.horizontalAdvance(tabText(i));
        margin = std::clamp((parentWidget()->width() - captions) / std::max(count(), 1), NarrowestMargin, Margin);
    }
    return {metrics.horizontalAdvance(tabText(index)) + margin, styled.height()};
}
