#pragma once

#include "window/widgets/OwnerTabBar.h"

#include <QTabWidget>

// A page control whose tab captions can be painted by the window.
class TPageControl : public QTabWidget
{
public:
    explicit TPageControl(QWidget* parent);
    TOwnerTabBar* OwnerTabBar() const { return Bar; }

private:
    TOwnerTabBar* Bar;
};
