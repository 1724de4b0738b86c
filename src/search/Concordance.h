#pragma once

// The concordance of the last search: every occurrence the hit display would highlight, in
// every sutra of the result, with the text either side of it. The window's 용례 tab and the
// tool's --context read their rows from here, so both list the same occurrences.

#include "data/Vesko3Common.h"
#include "search/SearchHit.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int MaxContextWidth = 200;
inline constexpr int WindowContextWidth = 20;
inline constexpr std::size_t WindowConcordanceRows = 20000;

struct TConcordanceRow
{
    std::int32_t Sutra = 0; // catalogue position
    int Family = 0;         // 0 Korean, 1 고려대장경, 2 신수대장경
    THighlightRun Run;      // the occurrence's span in the view text, as SearchHitRuns gives it
    // The occurrence and up to width units either side of it; line breaks and tabs read as
    // spaces, so an occurrence broken by a line break reads whole. The three lie one after
    // the other in memory the concordance holding the row owns (a row handed to onRow: for
    // the call).
    std::u16string_view Left, Text, Right;

    // The three pieces as one line.
    std::u16string_view Line() const { return {Left.data(), Left.size() + Text.size() + Right.size()}; }
};

struct TConcordance
{
    TConcordance() = default;
    TConcordance(TConcordance&&) = default;
    TConcordance& operator=(TConcordance&&) = default;
    // A copy's rows would still point into the original's units.
    TConcordance(const TConcordance&) = delete;
    TConcordance& operator=(const TConcordance&) = delete;

    std::vector<TConcordanceRow> Rows; // the first rows, at most the limit asked for
    std::int64_t Total = 0;            // every occurrence of the result
    // The units the rows' pieces lie in, a block per family of a sutra; a block stays where
    // it is when the concordance is moved.
    std::vector<std::unique_ptr<char16_t[]>> Units;
};

// The rows of every sutra of the last search's result, in catalogue order, each sutra's
// families in highlighting order and each family's occurrences in text order. width is clamped to
// 0..MaxContextWidth. info's own work area is left as it was.
TConcordance BuildConcordance(const TLoadedData& data, const TSearchInfo& info, int width,
                              std::size_t limit = std::numeric_limits<std::size_t>::max(), int threadCount = 0);

// The same rows, each handed to onRow in turn (from any thread, one at a time; it must not
// throw) as soon as those before it were, and let go after; returns Total. A caller writing
// the rows out needs not hold them all.
std::int64_t ForEachConcordanceRow(const TLoadedData& data, const TSearchInfo& info, int width, std::size_t limit,
                                   int threadCount, const std::function<void(TConcordanceRow& row)>& onRow);

// Writes from out on the up to width units of text before run, the run and the up to width
// units after it, each line break and tab replaced by a space, and points row's pieces at
// them; returns the end of what was written, which takes at most the run's length and twice
// width units. A surrogate pair cut by the width is dropped whole rather than split.
char16_t* ConcordanceContext(std::u16string_view text, THighlightRun run, int width, char16_t* out,
                             TConcordanceRow& row);
