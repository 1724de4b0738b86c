#pragma once

// What the lists ask of the window: a sutra shown in the text views, or a search result
// shown with its words highlighted. The window decides which view tab comes forward.

#include <cstdint>

class ISutraViewer
{
public:
    // Shows catalogue position n in the eight views, unless it is on show already.
    virtual void ShowSutra(std::int32_t n) = 0;
    // Shows position n with the last search's words highlighted; false when n is the sutra
    // last shown from a browse list, which is left as it is.
    virtual bool ShowSearchHit(std::int32_t n) = 0;

protected:
    ~ISutraViewer() = default;
};
