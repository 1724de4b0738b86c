#pragma once

// What a reader state may ask of the screens: a window no larger than the screen it stands on
// and enough of it on a screen to be seen and moved, splitter panes no larger than a window
// can be and in the proportions they were left in. A state file is the user's to edit, so its
// sizes are never taken as they stand.

#include "session/ReaderState.h"

#include <cstdint>
#include <span>

// A screen's available area (without task bars), in the window system's coordinates.
struct TScreenArea
{
    std::int32_t X = 0, Y = 0, Width = 0, Height = 0;
};

struct TWindowSize
{
    std::int32_t Width = 0, Height = 0;
};
using TWindowMinimum = TWindowSize;

// Fits state to screens (the primary first). The geometry is shrunk to the screen it overlaps
// most and, when too little of it shows there, moved wholly onto that screen; a geometry on no
// screen (one since removed), or with no screens known, is dropped so the window keeps its
// default place. Each splitter's first pane is cut to the largest screen's longer side.
void FitReaderStateToScreens(TReaderState& state, std::span<const TScreenArea> screens, TWindowMinimum minimum);

// A size the window asks for (its minimum) on a screen of the given available area: cut to the
// area where it is larger, so that at a large scale factor the window system can still fit
// the whole window on the screen. An area of no size is no screen known, and leaves the size
// as it is.
TWindowSize FitWindowSizeToScreen(TWindowSize size, const TScreenArea& screen);

// A splitter's first pane put back in the space its two panes share now. savedFirst was its
// share of savedSpace and keeps that share (a savedSpace of 0 or less is taken as the space
// now); each pane keeps minimumPane where the space holds both, else the two share it equally.
std::int32_t FitFirstPane(std::int32_t savedFirst, std::int32_t savedSpace, std::int32_t space,
                          std::int32_t minimumPane);
