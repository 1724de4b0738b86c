#include "window/WindowScreens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

std::vector<TScreenArea> AvailableScreenAreas()
{
    std::vector<TScreenArea> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const TScreenArea fitted{area.x(), area.y(), area.width(), area.height()};
        if (screen == QGuiApplication::primaryScreen())
            screens.insert(screens.begin(), fitted);
        else
            screens.push_back(fitted);
    }
    return screens;
}

void SetMinimumOnScreen(QWidget& window, QSize minimum)
{
    const std::vector<TScreenArea> screens = AvailableScreenAreas();
    const TWindowSize fitted =
        FitWindowSizeToScreen({minimum.width(), minimum.height()}, screens.empty() ? TScreenArea{} : screens.front());
    window.setMinimumSize(fitted.Width, fitted.Height);
}
