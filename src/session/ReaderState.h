#pragma once

// Where the reader was: the sutras shown in this run as a back/forward list, and what the
// next start restores (the list, the tabs, the window's normal geometry, the splitters and
// the search's words and options). The state lives in a file of its own in the user's
// configuration folder, never in Vesko3.ini.
//
// The file is UTF-8 JSON: {"format": "vesko3-reader-state", "version": 1, ...}. A file
// that is not such an object, or holds a field of the wrong type or out of its range, is
// refused whole; the program then starts as without it.

#include "browse/SutraTexts.h"
#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int ReaderViewCount = SutraViewCount; // the eight text views, in the order of TSutraView
inline constexpr int MaxHistoryPlaces = 100;           // older places fall off the back of the list
inline constexpr int MaxStoredSearchLines = 200;
inline constexpr std::int32_t MaxStoredExtent = 1 << 24; // pixels: a scroll position or a size

struct TViewScroll
{
    std::int32_t Vertical = 0;
    std::int32_t Horizontal = 0;
    bool operator==(const TViewScroll&) const = default;
};

// A sutra as it was left: its catalogue position, checked against the catalogue's title and
// name when read back, the view tab and whether it was shown as a search hit.
struct TReadingPlace
{
    std::int32_t Sutra = -1;
    std::u16string Title, Name;
    std::int32_t Tab = 0;
    bool Hit = false;
    std::array<TViewScroll, ReaderViewCount> Scrolls{};
    bool operator==(const TReadingPlace&) const = default;
};

// The places shown in this run; Index is the one on show, -1 before the first.
class TReadingHistory
{
public:
    const std::vector<TReadingPlace>& Places() const { return List; }
    std::int32_t Index() const { return Current; }
    const TReadingPlace* CurrentPlace() const;

    // A newly shown place: the places after the current one are dropped and it becomes the
    // last. Showing the current sutra again replaces it instead of adding a second copy.
    void Visit(const TReadingPlace& place);
    // Updates the current place with what the reader did there since (tab, scrolling).
    void UpdateCurrent(const TReadingPlace& place);
    bool CanGoForward() const { return Current + 1 < static_cast<std::int32_t>(List.size()); }
    // Moves by step (-1 back, +1 forward) and returns the place to show; nullptr at an end.
    const TReadingPlace* Go(int step);
    // Replaces the whole list; an index outside it is clamped to it.
    void Assign(std::vector<TReadingPlace> places, std::int32_t index);

private:
    std::vector<TReadingPlace> List;
    std::int32_t Current = -1;
};

struct TSplitterPane
{
    std::u16string Splitter; // the splitter's object name
    std::int32_t FirstPane = 0;
    bool operator==(const TSplitterPane&) const = default;
};

struct TReaderState
{
    std::vector<TReadingPlace> History;
    std::int32_t HistoryIndex = -1;
    std::int32_t ListTab = 0;                                  // 0 to 3
    std::int32_t ViewTab = 1;                                  // 0 to 6
    std::optional<std::array<std::int32_t, 4>> NormalGeometry; // x, y, width, height
    std::vector<TSplitterPane> Splitters;
    std::vector<std::u16string> SearchLines;
    std::int32_t SearchTitle = 0, SearchKind = 0, SearchMode = 0;
    bool Searched = false; // the result list showed the search of SearchLines
    bool SearchByReading = false;
    bool operator==(const TReaderState&) const = default;
};

std::string SerializeReaderState(const TReaderState& state);
// nullopt for a damaged or foreign file.
[[nodiscard]] std::optional<TReaderState> ParseReaderState(std::string_view bytes);

// Drops the places whose position is not in catalogue or whose title and name differ there;
// the index moves to the nearest kept place before it, else the first kept one.
void DropUnknownSutras(TReaderState& state, const TVesko_File& catalogue);

// The place's title and name as catalogue position n holds them.
void NamePlace(TReadingPlace& place, const TVesko_File& catalogue);

// The state file in the user's configuration folder of this application.
std::filesystem::path DefaultReaderStatePath();
// nullopt when the file is missing, unreadable, damaged or foreign, or past 4 MB.
[[nodiscard]] std::optional<TReaderState> LoadReaderState(const std::filesystem::path& path);
// Replaces the file whole, making its folder when missing; false when that failed.
[[nodiscard]] bool SaveReaderState(const std::filesystem::path& path, const TReaderState& state);
