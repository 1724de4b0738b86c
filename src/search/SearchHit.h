#pragma once

// The hit display's share of the core: which text families of a result to highlight,
// which tab to bring forward, and the runs of characters HighlightMarks formats with the
// occurrences they belong to.

#include "data/Vesko3Common.h"
#include "search/Matcher.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Family indexes as in TextFiles: 0 Korean, 1 고려대장경, 2 신수대장경.
struct TSearchHitPlan
{
    bool Highlight = false;    // the last search found sutra n
    std::vector<int> Families; // to highlight, in the order Korean, 고려대장경, 신수대장경
};

TSearchHitPlan PlanSearchHit(const TSearchInfo& info, std::int32_t n);

// The ViewPage tab to select after highlighting, or -1 when activeTab is one of the tabs
// the last search's canon leaves as they are.
int SearchHitTab(std::int32_t titleIndex, int activeTab);

// Position (from 1) of the first character after the title line in a view text: the
// title line's length with each line break counted as one character, plus 1.
std::int32_t HighlightStart(std::u16string_view titleLine);

// Characters [Begin, End) of the normalised view text, zero-based.
struct THighlightRun
{
    std::int32_t Begin = 0;
    std::int32_t End = 0;
    bool operator==(const THighlightRun&) const = default;
};

// One occurrence of the search words in a view text, from its first character to one past its
// last, and its pieces: the runs Runs[FirstRun] to Runs[FirstRun + RunCount - 1]. An occurrence
// the matcher found across characters it steps over (a line break, or 。 in a Chinese text) is
// marked in several pieces; one run may also hold several occurrences that touch or overlap,
// which then count as one.
struct THitOccurrence
{
    THighlightRun Span;
    std::size_t FirstRun = 0;
    std::size_t RunCount = 0;
    bool operator==(const THitOccurrence&) const = default;
};

// What the hit display shows of one family (0 Korean, 1 고려대장경, 2 신수대장경) in its two
// views: the runs it marks and the occurrences F3, the counters and the concordance count,
// in text order and in view-text positions (each line break one character).
struct TFamilyRuns
{
    int Family = 0;
    std::vector<THighlightRun> Runs;
    std::vector<THitOccurrence> Occurrences;
};

// The runs and occurrences of every family selecting sutra n's result row highlights, over
// the texts the "함께보기" views receive. Empty when n was not found by the last search.
std::vector<TFamilyRuns> SearchHitRuns(const TLoadedData& data, TSearchInfo& info, std::int32_t n);
