#pragma once

// What the reader's way through the texts needs of the window, and no more: a place shown,
// the place on show as the reader has left it, the splitter panes, the search inputs and the
// two rows of tabs. The reader's record (ReaderRecord.h) talks to the window only through it;
// TReaderWindow is it over the window's pages.

#include "window/pages/SearchInputs.h"
#include "session/ReaderState.h"
#include "browse/LineIndex.h"

#include <QSize>

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

// A line of a Chinese text to bring into sight: its family (1 고려대장경, 2 신수대장경) and the
// view position of its first character.
struct TViewLine
{
    int Family = 0;
    std::int32_t Position = 0;
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
    // A line brought into sight and flashed in its family's own view; the sutra already on
    // show plainly is gone to without being filled again.
    std::optional<TViewLine> Line;
};

// Where the go-to box leads: a line on the tab of its edition, a catalogue title as a row of
// the lists shows it.
TPlace GoToPlace(const TLinePlace& target);

class IReaderWindow
{
public:
    // Shows place in the text views. A plain place of the sutra already on show plainly is
    // left as it is, selection and scrolling included, and false returned, unless it names a
    // line to go to.
    virtual bool ShowPlace(const TPlace& place) = 0;
    // The view tab on show and the eight views' scroll positions, in the order of TSutraView.
    virtual int ViewTab() const = 0;
    virtual std::array<TViewScroll, ReaderViewCount> ViewScrolls() const = 0;
    virtual int ListTab() const = 0;
    virtual void SelectListTab(int tab) = 0;
    virtual void SelectViewTab(int tab) = 0;

    // The first pane of every splitter laid out, and putting them back as saved while the
    // window's normal size was savedWindow (a hidden sheet takes its own when first shown).
    virtual std::vector<TSplitterPane> Panes() const = 0;
    virtual void RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow) = 0;

    virtual TSearchInputs SearchInputs() const = 0;
    // Puts the inputs back and, when they had been searched, searches them again.
    virtual void RestoreSearchInputs(const TSearchInputs& inputs) = 0;

protected:
    ~IReaderWindow() = default;
};

class TConvertTab;
class TPageControl;
class TParallelsTab;
class TSearchTab;
class TSubjectSheet;
class TSutraListSheet;
class TTextViews;
struct TVesko3Session;

// The pages a place and the reader's state touch.
struct TReaderPages
{
    TPageControl* ListPages = nullptr;
    TPageControl* ViewPages = nullptr;
    TTextViews* Views = nullptr;
    TSubjectSheet* Subjects = nullptr;
    TConvertTab* Conversion = nullptr;
    TSearchTab* Search = nullptr;
    TParallelsTab* Parallels = nullptr;
    std::array<TSutraListSheet*, 2> CatalogueLists{}; // 경전순 and 이름순
};

class TReaderWindow final : public IReaderWindow
{
public:
    // The catalogue and the last search are read from session.
    TReaderWindow(const TVesko3Session& session, const TReaderPages& pages);

    // The sutra on show as a plain place; -1 for none and for a search hit.
    std::int32_t PlainSutraOnShow() const { return PlainSutra; }

    bool ShowPlace(const TPlace& place) override;
    int ViewTab() const override;
    std::array<TViewScroll, ReaderViewCount> ViewScrolls() const override;
    int ListTab() const override;
    void SelectListTab(int tab) override;
    void SelectViewTab(int tab) override;
    std::vector<TSplitterPane> Panes() const override;
    void RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow) override;
    TSearchInputs SearchInputs() const override;
    void RestoreSearchInputs(const TSearchInputs& inputs) override;

private:
    // The tab a showing of place brings forward when place names none; -1 leaves the tab.
    int TabAfterShowing(const TPlace& place, bool highlighted) const;

    const TVesko3Session& Session;
    TReaderPages Pages;
    std::int32_t PlainSutra = -1;
};
