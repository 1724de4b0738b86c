#include "window/widgets/PageControl.h"

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent), Bar(new TOwnerTabBar(this))
{
    setTabBar(Bar);
}
