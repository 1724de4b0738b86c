#include "search/SearchScan.h"

#include "data/HanmoonText.h"
#include "search/FastMatcher.h"
#include "search/Matcher.h"
#include "util/MyUtils.h"
#include "util/MyWideString.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace {

constexpr std::int32_t ProgressStep = 50;
constexpr std::size_t ItemsPerClaim = 4;
constexpr std::size_t SmallestThreadedScan = 64;

std::int32_t CatalogueCount(const TLoadedData& data)
{
    return std::clamp(data.TextFiles[0].SuttaTable.Count, 0, HitFlagSlots);
}

bool InCollection(const TLoadedData& data, std::int32_t kindIndex, std::int32_t i)
{
    return kindIndex == 0 || data.TextFiles[0].SuttaTable.Items[i].Kind == kindIndex;
}

// Entry i of a text file; an empty range where the file has no such entry.
TSuttaEntry BodyEntry(const TVesko_File& file, std::int32_t i)
{
    return i < file.SuttaTable.Count ? file.SuttaTable.Items[i] : TSuttaEntry{};
}

std::u16string SearchedText(const TLoadedData& data, int fileIndex, std::int32_t i)
{
    const TVesko_File& file = data.TextFiles[fileIndex];
    const TSuttaEntry e = BodyEntry(file, i);
    if (fileIndex == HanFamily) return CopyWideChars(file.Text, e.BodyStart, e.BodyLength);
    return CopyHanmoonText(file.Text, file.TextLength(), e.BodyStart, e.BodyLength);
}

// The last examined count at which ScanReference, sutra after sutra, moves the progress
// bar: it reports every multiple of ProgressStep up to the count it holds at the top of its
// last iteration, and the fast scan reports the same counts.
std::int32_t LastProgressCount(std::int32_t catalogueCount, const std::vector<std::int32_t>& items)
{
    if (catalogueCount == 0) return -1;
    if (items.empty()) return 0;
    const auto examined = static_cast<std::int32_t>(items.size());
    return items.back() < catalogueCount - 1 ? examined : examined - 1;
}

void ScanReference(const TLoadedData& data, TSearchInfo& info, const TSearchProgress& progress)
{
    const TVariantFiles& variants = data.VariantFiles;
    const std::int32_t count = CatalogueCount(data);
    std::int32_t examined = 0;
    std::int32_t reported = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        if (examined % ProgressStep == 0 && examined != reported) {
            reported = examined;
            if (progress) progress(examined);
        }
        if (!InCollection(data, info.KindIndex, i)) continue;
        std::uint8_t& flags = info.HitFlags[i];
        switch (info.TitleIndex) {
        case HanCanon:
        case KorCanon:
        case SinsuCanon:
            if (MatchText(info, variants, SearchedText(data, info.TitleIndex, i))) {
                flags = std::uint8_t(1u << info.TitleIndex);
                ++info.HitCount;
            }
            break;
        case BothHanmoonCanons:
            flags = 0;
            if (MatchText(info, variants, SearchedText(data, KorFamily, i))) flags += KorHit;
            if (MatchText(info, variants, SearchedText(data, SinsuFamily, i))) flags += SinsuHit;
            if (flags != 0) ++info.HitCount;
            break;
        }
        ++examined;
    }
}

// The flags the reference would give sutra i; 0xFF where it would leave the entry alone.
std::uint8_t FastFlags(const TLoadedData& data, const TSearchIndex& index, const TFastMatcher& matcher,
                       TFastMatcher::TScratch& scratch, std::int32_t titleIndex, std::int32_t i)
{
    auto qualifies = [&](int fileIndex) {
        const TVesko_File& file = data.TextFiles[fileIndex];
        const TSuttaEntry e = BodyEntry(file, i);
        if (const std::optional<TSearchedBody> body =
                FindSearchedBody(index, data, fileIndex, i, e.BodyStart, e.BodyLength))
            return matcher.QualifiesSearched(*body, scratch);
        return matcher.Qualifies(file.Text, file.TextLength(), e.BodyStart, e.BodyLength, scratch);
    };
    switch (titleIndex) {
    case HanCanon:
    case KorCanon:
    case SinsuCanon:
        return qualifies(titleIndex) ? std::uint8_t(1u << titleIndex) : 0xFF;
    case BothHanmoonCanons:
        return std::uint8_t((qualifies(KorFamily) ? KorHit : 0) | (qualifies(SinsuFamily) ? SinsuHit : 0));
    default:
        return 0xFF;
    }
}

// The index families the scan reads, made before it starts; both Chinese ones side by
// side when there is a second thread.
void MakeSearchedFamilies(const TLoadedData& data, const TSearchInfo& info, int threadCount)
{
    if (info.TitleIndex != BothHanmoonCanons) {
        if (info.TitleIndex >= 0 && info.TitleIndex < TextFileCount) IndexedFamily(info.Index, data, info.TitleIndex);
        return;
    }
    std::thread helper;
    if (threadCount > 1) {
        try {
            helper = std::thread([&] { IndexedFamily(info.Index, data, SinsuFamily); });
        } catch (const std::system_error&) {
        }
    }
    IndexedFamily(info.Index, data, KorFamily);
    if (helper.joinable())
        helper.join();
    else
        IndexedFamily(info.Index, data, SinsuFamily);
}

void ScanFast(const TLoadedData& data, TSearchInfo& info, const TSearchProgress& progress, int threadCount)
{
    const std::int32_t count = CatalogueCount(data);
    std::vector<std::int32_t> items;
    for (std::int32_t i = 0; i < count; ++i)
        if (InCollection(data, info.KindIndex, i)) items.push_back(i);

    if (threadCount <= 0) threadCount = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!items.empty()) MakeSearchedFamilies(data, info, threadCount);

    const TFastMatcher matcher(info, data.VariantFiles);
    std::vector<std::uint8_t> results(items.size(), 0xFF);
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    // Claims and scans the next batch of sutras; returns how many it scanned, 0 when none are left.
    auto scanBatch = [&](TFastMatcher::TScratch& scratch) -> std::size_t {
        const std::size_t first = next.fetch_add(ItemsPerClaim, std::memory_order_relaxed);
        if (first >= items.size()) return 0;
        const std::size_t last = std::min(first + ItemsPerClaim, items.size());
        for (std::size_t k = first; k < last; ++k)
            results[k] = FastFlags(data, info.Index, matcher, scratch, info.TitleIndex, items[k]);
        return last - first;
    };
    auto work = [&] {
        TFastMatcher::TScratch scratch = matcher.MakeScratch();
        while (const std::size_t scanned = scanBatch(scratch))
            done.fetch_add(scanned, std::memory_order_relaxed);
    };

    // Progress goes out from this thread only, with the counts the one-by-one loop reports.
    const std::int32_t lastReport = LastProgressCount(count, items);
    std::int32_t nextReport = 0;
    auto report = [&](std::size_t examined) {
        while (nextReport <= lastReport && std::size_t(nextReport) <= examined) {
            if (progress) progress(nextReport);
            nextReport += ProgressStep;
        }
    };
    report(0);

    std::vector<std::thread> helpers;
    if (items.size() >= SmallestThreadedScan) {
        for (int t = 1; t < threadCount; ++t) {
            try {
                helpers.emplace_back(work);
            } catch (const std::system_error&) {
                break; // no thread to be had: this one does the rest
            }
        }
    }
    TFastMatcher::TScratch scratch = matcher.MakeScratch();
    while (const std::size_t scanned = scanBatch(scratch))
        report(done.fetch_add(scanned, std::memory_order_relaxed) + scanned);
    for (std::thread& helper : helpers)
        helper.join();
    report(items.size());

    for (std::size_t k = 0; k < items.size(); ++k) {
        if (results[k] == 0xFF) continue;
        info.HitFlags[items[k]] = results[k];
        if (results[k] != 0) ++info.HitCount;
    }
}

} // namespace

std::int32_t SearchProgressTotal(const TLoadedData& data, std::int32_t kindIndex)
{
    if (kindIndex < 0 || kindIndex >= KindSlots) return 0;
    return data.TextFiles[0].Header.KindCounts[kindIndex];
}

void ScanSutras(const TLoadedData& data, TSearchInfo& info, const TSearchProgress& progress, TScanMethod method,
                int threadCount)
{
    if (method == TScanMethod::Reference)
        ScanReference(data, info, progress);
    else
        ScanFast(data, info, progress, threadCount);
}

std::vector<std::int32_t> HitPositions(const TSearchInfo& info, const TLoadedData& data)
{
    std::vector<std::int32_t> positions;
    const std::int32_t count = CatalogueCount(data);
    for (std::int32_t i = 0; i < count; ++i)
        if (info.HitFlags[i] != 0) positions.push_back(i);
    return positions;
}

TCatalogueList SearchResultList(const TLoadedData& data, const TSearchInfo& info)
{
    TCatalogueList list;
    list.RowCount = std::max(info.HitCount, 0);
    list.CountText = SearchCountText(info.HitCount);
    for (std::int32_t i : HitPositions(info, data)) {
        const TSuttaEntry& e = data.TextFiles[0].SuttaTable.Items[i];
        TCatalogueRow row;
        row.Position = i;
        row.Cells = {DecimalText(std::int64_t(e.Number) + 1), std::u16string(FieldText(e.Title)),
                     std::u16string(FieldText(e.Name))};
        list.Rows.push_back(std::move(row));
    }
    return list;
}

std::u16string SearchCountText(std::int32_t hitCount)
{
    return DecimalText(hitCount) + u" 개";
}

std::u16string SearchTimeText(std::int64_t elapsedMilliseconds)
{
    constexpr std::int64_t Day = 24 * 60 * 60 * 1000;
    // Times of day: a search running over midnight ends "before" it started.
    const std::int64_t ms = ((elapsedMilliseconds % Day) + Day) % Day;
    const auto seconds = static_cast<std::int32_t>(ms / 1000 % 60);
    const auto hundredths = static_cast<std::int32_t>(ms % 1000 / 10);
    return DecimalText(seconds) + u"." + ZeroPad(hundredths, 2) + u"초";
}

TSearchOutcome SearchSutras(const TLoadedData& data, TSearchInfo& info, const TSearchOptions& options,
                            const std::vector<std::u16string>& memoLines, IMessages& messages,
                            const TSearchFeedback& feedback, TScanMethod method)
{
    TSearchOutcome outcome;
    BeginSearch(info, options);
    outcome.CleanedLines = CleanSearchLines(memoLines, info.TitleIndex);
    outcome.Check = CollectSearchWords(info, outcome.CleanedLines);
    if (outcome.Check == TWordCheck::NoWords) outcome.CleanedLines.clear();
    // The memo shows the cleaned words before a rejection's message box opens over it.
    if (feedback.LinesCleaned) feedback.LinesCleaned(outcome.CleanedLines, outcome.Check);
    if (outcome.Check != TWordCheck::Accepted) {
        ShowWordCheckMessage(outcome.Check, messages);
        return outcome;
    }
    if (feedback.ScanStarting) feedback.ScanStarting(SearchProgressTotal(data, info.KindIndex));
    ScanSutras(data, info, feedback.Progress, method);
    if (feedback.ScanFinished) feedback.ScanFinished();
    outcome.List = SearchResultList(data, info);
    return outcome;
}
