#pragma once

// The hit display's share of the core: which text families of a result to highlight,
// which tab to bring forward, and the runs of characters HighlightMarks formats.

#include "data/Vesko3Common.h"
#include "search/Matcher.h"

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

// The maximal runs of marked positions from start on, in a text of length units that
// MatchText matched last.
std::vector<THighlightRun> MarkedRuns(const TSearchInfo& info, std::int32_t length, std::int32_t start);

// What HighlightMarks formats in a family's two views: the view text read back is
// normalised, matched with the last search's words and options, and its marked runs from
// start on are returned. Leaves Marks describing the normalised text.
std::vector<THighlightRun> HighlightRuns(TSearchInfo& info, const TVariantFiles& variants, std::u16string viewText,
                                         std::int32_t start);

struct TFamilyRuns
{
    int Family = 0;
    std::vector<THighlightRun> Runs;
};

// The runs of every family selecting sutra n's result row highlights, over the texts the
// "함께보기" views receive. Empty when n was not found by the last search.
std::vector<TFamilyRuns> SearchHitRuns(const TLoadedData& data, TSearchInfo& info, std::int32_t n);
