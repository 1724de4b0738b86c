#pragma once

// What a reader state may ask of the screens: a window no larger than the screen it stands on
// and enough of it on a screen to be seen and moved, splitter panes no larger than a window
// can be. A state file is the user's to edit, so its sizes are never taken as they stand.

#include "session/ReaderState.h"

#include <cstdint>
#include <span>

// A screen's available area (without task bars), in the window system's coordinates.
struct TScreenArea
{
    std::int32_t X = 0, Y = 0, Width = 0, Height = 0;
};

struct TWindowMinimum
{
    std::int32_t Width = 0, Height = 0;
};

// Fits state to screens (the primary first). The geometry is shrunk to the screen it overlaps
// most and, when too little of it shows there, moved wholly onto that screen; a geometry on no
// screen (one since removed), or with no screens known, is dropped so the window keeps its
// default place. Each splitter's first pane is cut to the largest screen's longer side.
void FitReaderStateToScreens(TReaderState& state, std::span<const TScreenArea> screens, TWindowMinimum minimum);
