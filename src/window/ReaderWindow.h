#pragma once

// What the reader's way through the texts needs of the window, and no more: a place shown,
// the place on show as the reader has left it, the splitter panes, the search inputs and the
// two rows of tabs. The reader's record (ReaderRecord.h) talks to the window only through it.

#include "window/pages/SearchInputs.h"
#include "session/ReaderState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// A highlighted run to bring into sight: its text family (0 Korean, 1 고려대장경, 2 신수대장경)
// and where it begins in that family's view text.
struct THitRunPlace
{
    int Family = 0;
    std::int32_t Begin = 0;
};

// A sutra as the views are to show it.
struct TPlace
{
    TPlace() = default;
    TPlace(std::int32_t sutra, bool hit = false) : Sutra(sutra), Hit(hit) {}

    std::int32_t Sutra = -1; // catalogue position
    bool Hit = false;        // a result of the last search: its words are marked when it lists the sutra
    // The view tab; none brings forward the tab the kind of showing calls for.
    std::optional<int> Tab;
    // The views' scroll positions in the order of TSutraView; none leaves them where a fill puts them.
    std::optional<std::array<TViewScroll, ReaderViewCount>> Scrolls;
    // A run of the marked words made current in its view on the tab shown.
    std::optional<THitRunPlace> Run;
};

class IReaderWindow
{
public:
    // Shows place in the text views. A plain place of the sutra already on show plainly is
    // left as it is, selection and scrolling included, and false returned.
    virtual bool ShowPlace(const TPlace& place) = 0;
    // The view tab on show and the eight views' scroll positions, in the order of TSutraView.
    virtual int ViewTab() const = 0;
    virtual std::array<TViewScroll, ReaderViewCount> ViewScrolls() const = 0;
    virtual int ListTab() const = 0;
    virtual void SelectListTab(int tab) = 0;
    virtual void SelectViewTab(int tab) = 0;

    // The first pane of every splitter, and putting them back (a hidden sheet takes its own
    // when first shown).
    virtual std::vector<TSplitterPane> Panes() const = 0;
    virtual void RestorePanes(const std::vector<TSplitterPane>& panes) = 0;

    virtual TSearchInputs SearchInputs() const = 0;
    // Puts the inputs back and, when they had been searched, searches them again.
    virtual void RestoreSearchInputs(const TSearchInputs& inputs) = 0;

protected:
    ~IReaderWindow() = default;
};
