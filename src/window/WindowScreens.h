#pragma once

// The screens as the screen rules (session/ScreenFit.h) take them, and the window's minimum
// fitted to them.

#include "session/ScreenFit.h"

#include <QSize>

#include <vector>

class QWidget;

// The screens' available areas (without task bars), the primary first.
std::vector<TScreenArea> AvailableScreenAreas();

// Gives window its minimum, cut to the primary screen's available area.
void SetMinimumOnScreen(QWidget& window, QSize minimum);
