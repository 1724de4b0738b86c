#include "session/ScreenFit.h"

#include <algorithm>

namespace {

// How much of a window, in each direction, must lie on a screen for the reader to find it
// and take it by its title bar; a smaller window must lie there whole.
constexpr std::int64_t MinimumVisible = 100;

struct TBox
{
    std::int64_t X = 0, Y = 0, Width = 0, Height = 0;
};

std::int64_t Overlap(std::int64_t start, std::int64_t length, std::int64_t otherStart, std::int64_t otherLength)
{
    return std::max<std::int64_t>(0, std::min(start + length, otherStart + otherLength) - std::max(start, otherStart));
}

// Keeps [start, start + length) inside [low, low + room) where it fits, else starts it at low.
std::int64_t MoveInside(std::int64_t start, std::int64_t length, std::int64_t low, std::int64_t room)
{
    return std::clamp(start, low, std::max(low, low + room - length));
}

std::optional<std::array<std::int32_t, 4>> FitGeometry(const std::array<std::int32_t, 4>& saved,
                                                       std::span<const TScreenArea> screens, TWindowMinimum minimum)
{
    TBox box{saved[0], saved[1], std::max(saved[2], minimum.Width), std::max(saved[3], minimum.Height)};
    const TScreenArea* best = nullptr;
    std::int64_t bestArea = 0;
    for (const TScreenArea& screen : screens) {
        const std::int64_t area =
            Overlap(box.X, box.Width, screen.X, screen.Width) * Overlap(box.Y, box.Height, screen.Y, screen.Height);
        if (area > bestArea) {
            bestArea = area;
            best = &screen;
        }
    }
    if (best == nullptr) return std::nullopt;
    // The window's minimum wins over a smaller screen, as the window system would make it.
    box.Width = std::min<std::int64_t>(box.Width, std::max(best->Width, minimum.Width));
    box.Height = std::min<std::int64_t>(box.Height, std::max(best->Height, minimum.Height));
    if (Overlap(box.X, box.Width, best->X, best->Width) < std::min(box.Width, MinimumVisible) ||
        Overlap(box.Y, box.Height, best->Y, best->Height) < std::min(box.Height, MinimumVisible)) {
        box.X = MoveInside(box.X, box.Width, best->X, best->Width);
        box.Y = MoveInside(box.Y, box.Height, best->Y, best->Height);
    }
    return std::array<std::int32_t, 4>{static_cast<std::int32_t>(box.X), static_cast<std::int32_t>(box.Y),
                                       static_cast<std::int32_t>(box.Width), static_cast<std::int32_t>(box.Height)};
}

} // namespace

void FitReaderStateToScreens(TReaderState& state, std::span<const TScreenArea> screens, TWindowMinimum minimum)
{
    if (state.NormalGeometry) state.NormalGeometry = FitGeometry(*state.NormalGeometry, screens, minimum);
    std::int32_t longest = 0;
    for (const TScreenArea& screen : screens)
        longest = std::max({longest, screen.Width, screen.Height});
    for (TSplitterPane& pane : state.Splitters)
        pane.FirstPane = std::min(pane.FirstPane, longest);
}

TWindowSize FitWindowSizeToScreen(TWindowSize size, const TScreenArea& screen)
{
    if (screen.Width <= 0 || screen.Height <= 0) return size;
    return {std::min(size.Width, screen.Width), std::min(size.Height, screen.Height)};
}

std::int32_t FitFirstPane(std::int32_t savedFirst, std::int32_t savedSpace, std::int32_t space,
                          std::int32_t minimumPane)
{
    if (space <= 0) return 0;
    if (space < 2 * static_cast<std::int64_t>(minimumPane)) return space / 2;
    std::int64_t first = std::max(savedFirst, 0);
    if (savedSpace > 0) first = (first * space + savedSpace / 2) / savedSpace;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(first, minimumPane, space - minimumPane));
}
