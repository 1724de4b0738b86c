#pragma once

// The scan of a search over the chosen collection and the result list it leaves. The
// window's button handler reads its widgets, calls these and writes its widgets back:
// BeginSearch, CleanSearchLines (written back into the memo), CollectSearchWords (on
// rejection: empty the memo for NoWords, ShowWordCheckMessage, focus the memo, stop),
// SearchProgressTotal for the bar, ScanSutras with the bar's callback, SearchResultList,
// SearchTimeText. RunSearch strings the core steps together for the tool and benchmarks.

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

// Everything the button does between reading and writing its widgets: reset, clean,
// validate (the message through messages), scan. cleanedLines receives the lines to write
// back into the memo (empty when the memo is to be emptied).
TWordCheck RunSearch(const TLoadedData& data, TSearchInfo& info, const TSearchOptions& options,
                     const std::vector<std::u16string>& memoLines, std::vector<std::u16string>& cleanedLines,
                     IMessages& messages, const TSearchProgress& progress = {}, TScanMethod method = TScanMethod::Fast);
