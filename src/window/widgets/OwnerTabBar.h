#pragma once

#include <QTabBar>

#include <functional>

// Paints a whole tab given the painter, the tab index, its rectangle and whether it is the
// selected tab; the style draws nothing of a tab once a painter is set.
using TTabPainter = std::function<void(QPainter& painter, int index, const QRect& rect, bool selected)>;

// A tab bar whose captions are painted by its owner once a painter is set.
class TOwnerTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;
    void SetPainter(TTabPainter painter);
    // Narrows the margins of the painted captions as far as needed, within limits, so that
    // every tab fits the width of the page control: for a control of fixed width that holds
    // more tabs than it was designed for.
    void SetFitToWidth(bool fit);

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;

private:
    TTabPainter Painter;
    bool FitToWidth = false;
};
