#pragma once

// The scan of a search over the chosen collection and the result list it leaves.
// SearchSutras is the whole search: the search button reads its widgets, calls it with
// feedback that writes the memo back and moves the progress bar, and shows the list it
// returns with SearchTimeText; `vesko3-tool search` prints the same list.

#include "browse/CatalogueRows.h"
#include "data/Vesko3Common.h"
#include "search/SearchWords.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Called on the caller's thread with the number of sutras examined so far, at 0 and every
// 50th sutra, as the progress bar moves.
using TSearchProgress = std::function<void(std::int32_t examined)>;

enum class TScanMethod
{
    Fast,      // what the button and the tool use
    Reference, // MatchText on a copy of every body, one sutra after another
};

// The progress bar's maximum: file 0's count for the collection (slot 0 for all).
std::int32_t SearchProgressTotal(const TLoadedData& data, std::int32_t kindIndex);

// Sets HitFlags and HitCount for the words and options in info. The reference also leaves
// the work area describing the last text it matched; the fast scan leaves it alone.
// threadCount 0 uses every core. The result does not depend on the threads.
void ScanSutras(const TLoadedData& data, TSearchInfo& info, const TSearchProgress& progress = {},
                TScanMethod method = TScanMethod::Fast, int threadCount = 0);

// The catalogue positions with a hit, ascending.
std::vector<std::int32_t> HitPositions(const TSearchInfo& info, const TLoadedData& data);

// The result list as the window's grids take it: per hit, in catalogue order, the cells of
// its OrdGrid row (1-based number, Title, Name); RowCount is HitCount (0 leaves the single
// empty row) and CountText reads "HitCount 개".
TCatalogueList SearchResultList(const TLoadedData& data, const TSearchInfo& info);

// "12 개"
std::u16string SearchCountText(std::int32_t hitCount);
// Seconds and hundredths of the elapsed time, hours and minutes dropped: 3070 ms gives "3.07초".
std::u16string SearchTimeText(std::int64_t elapsedMilliseconds);

// What the search tab shows while a search runs, each called on the caller's thread; any
// may be left empty.
struct TSearchFeedback
{
    // Once the words are checked and before a rejection's message: the lines to write back
    // into the memo (none when the memo is to be emptied) and the check.
    std::function<void(const std::vector<std::u16string>& cleanedLines, TWordCheck check)> LinesCleaned;
    // Before the scan, with the progress bar's maximum (SearchProgressTotal).
    std::function<void(std::int32_t total)> ScanStarting;
    TSearchProgress Progress;
    // Right after the scan, before the list is built.
    std::function<void()> ScanFinished;
};

struct TSearchOutcome
{
    TWordCheck Check = TWordCheck::NoWords;
    std::vector<std::u16string> CleanedLines; // for the memo; empty when the memo is to be emptied
    TCatalogueList List;                      // SearchResultList; left empty unless Check is Accepted
};

// The whole search, as the search button and `vesko3-tool search` run it: info reset to the
// options (BeginSearch), the memo lines cleaned, the words checked (a rejection's message
// through messages, and nothing scanned), every sutra of the collection scanned, and the
// result list built. HitFlags and HitCount stay in info for the hit display.
[[nodiscard]] TSearchOutcome SearchSutras(const TLoadedData& data, TSearchInfo& info, const TSearchOptions& options,
                                          const std::vector<std::u16string>& memoLines, IMessages& messages,
                                          const TSearchFeedback& feedback = {}, TScanMethod method = TScanMethod::Fast);
