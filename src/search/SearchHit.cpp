#include "search/SearchHit.h"

#include "browse/SutraTexts.h"

#include <algorithm>

namespace {

// The maximal runs of marked positions from start on, in a text of length units that
// MatchText matched last, each with the occurrences its pieces make up: a run whose last
// character is joined to the next marked one goes on in the next run.
void MarkedRuns(const TSearchInfo& info, std::int32_t length, std::int32_t start, TFamilyRuns& result)
{
    const auto& marks = info.Work.Marks;
    const std::int32_t last = std::min<std::int64_t>(length, static_cast<std::int64_t>(marks.size()) - 1);
    bool joined = false; // the run before goes on in the next
    for (std::int32_t p = std::max(start, 1); p <= last; ++p) {
        if (!marks[p]) continue;
        std::int32_t q = p + 1;
        while (q <= last && marks[q])
            ++q;
        const THighlightRun run{p - 1, q - 1};
        if (joined && !result.Occurrences.empty()) {
            result.Occurrences.back().Span.End = run.End;
            ++result.Occurrences.back().RunCount;
        } else {
            result.Occurrences.push_back({run, result.Runs.size(), 1});
        }
        result.Runs.push_back(run);
        joined = (marks[q - 1] & JoinedToNextMark) != 0;
        p = q;
    }
}

} // namespace

TSearchHitPlan PlanSearchHit(const TSearchInfo& info, std::int32_t n)
{
    TSearchHitPlan plan;
    if (n < 0 || n >= HitFlagSlots || info.HitCount <= 0 || info.HitFlags[n] == 0) return plan;
    plan.Highlight = true;
    const std::uint8_t flags = info.HitFlags[n];
    switch (info.TitleIndex) {
    case HanCanon:
    case KorCanon:
    case SinsuCanon:
        plan.Families = {info.TitleIndex};
        break;
    case BothHanmoonCanons:
        if (flags & KorHit) plan.Families.push_back(KorFamily);
        if (flags & SinsuHit) plan.Families.push_back(SinsuFamily);
        break;
    }
    return plan;
}

int SearchHitTab(std::int32_t titleIndex, int activeTab)
{
    // The "함께보기" tab shows every family; a family's own tab shows it alone.
    switch (titleIndex) {
    case HanCanon:
    case KorCanon:
    case SinsuCanon: {
        const int own = FamilyViewTab(titleIndex);
        return activeTab == TogetherViewTab || activeTab == own ? -1 : own;
    }
    case BothHanmoonCanons:
        return activeTab == TogetherViewTab || activeTab == KorViewTab || activeTab == SinsuViewTab ? -1
                                                                                                    : TogetherViewTab;
    default:
        return -1;
    }
}

std::int32_t HighlightStart(std::u16string_view titleLine)
{
    std::u16string normalised(titleLine);
    NormalizeLineBreaks(normalised);
    return static_cast<std::int32_t>(normalised.size()) + 1;
}

std::vector<TFamilyRuns> SearchHitRuns(const TLoadedData& data, TSearchInfo& info, std::int32_t n)
{
    std::vector<TFamilyRuns> result;
    if (n < 0 || n >= data.TextFiles[0].SuttaTable.Count) return result;
    const TSearchHitPlan plan = PlanSearchHit(info, n);
    if (!plan.Highlight) return result;
    const std::int32_t start = HighlightStart(TitleLine(data.TextFiles[0], n));
    for (int family : plan.Families) {
        std::u16string text = FamilyViewText(data, n, family);
        NormalizeLineBreaks(text);
        MatchText(info, data.VariantFiles, text);
        MarkedRuns(info, static_cast<std::int32_t>(text.size()), start,
                   result.emplace_back(TFamilyRuns{family, {}, {}}));
    }
    return result;
}
