#include "search/Concordance.h"

#include "browse/SutraTexts.h"
#include "search/FastMatcher.h"
#include "search/SearchScan.h"
#include "search/SearchWords.h"
#include "util/MyWideString.h"
#include "util/UnitBlocks.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// Copies [begin, end) of text to out, line breaks and tabs as spaces; returns the end.
char16_t* ContextPiece(std::u16string_view text, std::size_t begin, std::size_t end, char16_t* out)
{
    std::size_t i = begin;
#if VESKO3_UNIT_BLOCKS
    for (; end - i >= UnitBlockSize; i += UnitBlockSize, out += UnitBlockSize) {
        const TUnitBlock units = LoadUnitBlock(text.data() + i);
        const auto blank =
            (units == UnitBlockOf(u'\r')) | (units == UnitBlockOf(u'\n')) | (units == UnitBlockOf(u'\t'));
        StoreUnitBlock(out, blank ? UnitBlockOf(u' ') : units);
    }
#endif
    for (; i < end; ++i) {
        const char16_t c = text[i];
        *out++ = c == u'\r' || c == u'\n' || c == u'\t' ? u' ' : c;
    }
    return out;
}

// The occurrences the hit display shows in one family's view text, from start on. It marks
// every character of every occurrence of a word and reads a run of marks broken only by
// characters the matcher steps over as one occurrence, and runs that touch as one: so an
// occurrence there is a stretch of words' occurrences that overlap or touch, from the first
// character of the first to the last of the last.
void DisplayedSpans(const std::vector<TFastMatcher::TOccurrence>& found, std::u16string_view text, std::int64_t start,
                    std::int32_t titleIndex, std::vector<THighlightRun>& spans)
{
    for (std::size_t i = 0; i < found.size();) {
        std::int64_t first = found[i].First;
        std::int64_t last = found[i].Last;
        for (++i; i < found.size() && found[i].First <= last + 1; ++i)
            last = std::max(last, found[i].Last);
        if (last < start) continue;
        // The display's marks begin at start: a stretch begun before shows from its first mark after.
        if (first < start)
            for (first = start; IsSkippedChar(text[first], titleIndex);)
                ++first;
        spans.push_back({static_cast<std::int32_t>(first), static_cast<std::int32_t>(last + 1)});
    }
}

struct TFamilySpans
{
    int Family = 0;
    std::vector<THighlightRun> Spans;
};

// One thread's text and occurrences, kept from sutra to sutra so that their memory is reused.
struct TConcordanceWork
{
    std::vector<char16_t> Text;
    std::u16string Seam;
    std::vector<TFastMatcher::TOccurrence> Found;
};

// The displayed occurrences of every family sutra n's result row highlights, in
// highlighting order; withText is handed each family's view text as it is done with.
std::vector<TFamilySpans> HitSpans(const TLoadedData& data, const TSearchInfo& info, const TFastMatcher& matcher,
                                   std::int32_t n, TConcordanceWork& work,
                                   const std::function<void(const TFamilySpans&, std::u16string_view)>& withText)
{
    std::vector<TFamilySpans> result;
    if (n < 0 || n >= data.TextFiles[0].SuttaTable.Count) return result;
    const TSearchHitPlan plan = PlanSearchHit(info, n);
    if (!plan.Highlight) return result;
    const std::int64_t start = HighlightStart(TitleLine(data.TextFiles[0], n)) - 1;
    for (int family : plan.Families) {
        const std::u16string_view text = NormalizedFamilyViewText(data, n, family, work.Text);
        work.Found.clear();
        matcher.Occurrences(text, work.Found);
        TFamilySpans& spans = result.emplace_back(TFamilySpans{family, {}});
        DisplayedSpans(work.Found, text, start, info.TitleIndex, spans.Spans);
        if (withText) withText(spans, text);
    }
    return result;
}

// How many occurrences the display shows in one family's text of sutra n, counted in the
// body as the search index holds it, without making the view text: the stretches of words'
// occurrences there, and one for those begun in the title line that reach into the body;
// -1 when the index does not hold the body. Occurrences touch where no character the
// matcher steps over stands between them in the view text.
std::int64_t IndexedCount(const TLoadedData& data, const TSearchInfo& info, const TFastMatcher& matcher, std::int32_t n,
                          int family, std::u16string_view title, std::size_t longestWord, TConcordanceWork& work)
{
    const TVesko_File& file = data.TextFiles[family];
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    const std::optional<TSearchedBody> body = FindSearchedBody(info.Index, data, family, n, e.BodyStart, e.BodyLength);
    if (!body) return -1;
    // An occurrence begun in the title line has a unit there, so the body's first units
    // finish it; every such occurrence covers the title line's end, so they make one stretch.
    work.Seam.assign(title);
    work.Seam += body->Text.substr(0, longestWord);
    work.Found.clear();
    matcher.Occurrences(work.Seam, work.Found);
    std::int64_t last = -1; // the last body character of the stretch so far
    bool open = false;
    std::int64_t count = 0;
    for (const TFastMatcher::TOccurrence& found : work.Found)
        if (found.First < static_cast<std::int64_t>(title.size()) &&
            found.Last >= static_cast<std::int64_t>(title.size())) {
            last = std::max(last, found.Last - static_cast<std::int64_t>(title.size()));
            open = true;
        }
    count += open;
    work.Found.clear();
    matcher.Occurrences(body->Text, work.Found);
    for (const TFastMatcher::TOccurrence& found : work.Found) {
        if (open && (found.First <= last ||
                     (found.First == last + 1 && !body->GapBefore(static_cast<std::size_t>(found.First))))) {
            last = std::max(last, found.Last);
            continue;
        }
        ++count;
        open = true;
        last = found.Last;
    }
    return count;
}

// The same for every family sutra n's result row highlights; -1 when the index does not
// hold them all.
std::int64_t IndexedHitCount(const TLoadedData& data, const TSearchInfo& info, const TFastMatcher& matcher,
                             std::int32_t n, std::size_t longestWord, TConcordanceWork& work)
{
    for (const TVesko_File& file : data.TextFiles)
        if (n < 0 || n >= file.SuttaTable.Count || static_cast<std::size_t>(n) >= file.SuttaTable.Items.size())
            return -1;
    const std::u16string title = TitleLine(data.TextFiles[0], n);
    std::int64_t total = 0;
    for (int family : PlanSearchHit(info, n).Families) {
        const std::int64_t counted = IndexedCount(data, info, matcher, n, family, title, longestWord, work);
        if (counted < 0) return -1;
        total += counted;
    }
    return total;
}

// Runs work on this thread and on more, up to threadCount in all (every core for 0) and no
// more than there are jobs.
void OnThreads(std::size_t jobs, int threadCount, const std::function<void()>& work)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = threadCount > 0 ? static_cast<std::size_t>(threadCount) : cores;
    const std::size_t helpers = std::min(wanted, std::max<std::size_t>(jobs, 1)) - 1;
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break; // no thread to be had: this one does the rest
        }
    }
    work();
    for (std::thread& thread : threads)
        thread.join();
}

// A sutra's rows, cut, and the units their pieces lie in.
struct TCutRows
{
    std::vector<TConcordanceRow> Rows;
    std::vector<std::unique_ptr<char16_t[]>> Units;
};

void AddRows(std::int32_t n, const TFamilySpans& family, std::u16string_view text, int width, std::size_t limit,
             TCutRows& cut)
{
    std::vector<TConcordanceRow>& rows = cut.Rows;
    if (rows.size() >= limit) return;
    const std::size_t count = std::min(family.Spans.size(), limit - rows.size());
    if (count == 0) return;
    const auto w = static_cast<std::size_t>(std::clamp(width, 0, MaxContextWidth));
    std::size_t room = 0;
    for (std::size_t i = 0; i < count; ++i)
        room += static_cast<std::size_t>(std::max(family.Spans[i].End - family.Spans[i].Begin, 0)) + 2 * w;
    char16_t* out = cut.Units.emplace_back(std::make_unique_for_overwrite<char16_t[]>(room)).get();
    rows.reserve(rows.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        TConcordanceRow& row = rows.emplace_back();
        row.Sutra = n;
        row.Family = family.Family;
        row.Run = family.Spans[i];
        out = ConcordanceContext(text, row.Run, width, out, row);
    }
}

} // namespace

char16_t* ConcordanceContext(std::u16string_view text, THighlightRun run, int width, char16_t* out,
                             TConcordanceRow& row)
{
    const std::size_t size = text.size();
    const std::size_t begin = std::min<std::size_t>(std::max(run.Begin, 0), size);
    const std::size_t end = std::clamp<std::size_t>(std::max(run.End, 0), begin, size);
    const std::size_t w = static_cast<std::size_t>(std::clamp(width, 0, MaxContextWidth));
    std::size_t left = begin - std::min(begin, w);
    if (left < begin && left > 0 && IsLowSurrogate(text[left]) && IsHighSurrogate(text[left - 1])) ++left;
    std::size_t right = std::min(size, end + w);
    if (right > end && right < size && IsHighSurrogate(text[right - 1]) && IsLowSurrogate(text[right])) --right;
    row.Left = {out, begin - left};
    out = ContextPiece(text, left, begin, out);
    row.Text = {out, end - begin};
    out = ContextPiece(text, begin, end, out);
    row.Right = {out, right - end};
    return ContextPiece(text, end, right, out);
}

namespace {

// The rows of every hit up to limit, each hit's handed to onHit in catalogue order; returns
// the occurrences of every hit.
std::int64_t CutConcordance(const TLoadedData& data, const TSearchInfo& info, int width, std::size_t limit,
                            int threadCount, const std::function<void(TCutRows& hit)>& onHit)
{
    const std::vector<std::int32_t> hits = HitPositions(info, data);
    if (hits.empty()) return 0;
    // One pass over each text finds every word, through the tables the scan uses.
    const TFastMatcher matcher(info, data.VariantFiles);

    // Matching is the costly part and is shared among threads, which cut the contexts too
    // while the text is at hand, until the rows cut reach the limit; past it a hit is only
    // counted, in the search index where it can be. The rows are handed over hit by hit in
    // catalogue order as soon as every hit before is done, and let go then; a hit whose
    // rows were not cut has them cut then, should they still be kept.
    struct THitRows
    {
        std::vector<TFamilySpans> Families; // unless only counted
        TCutRows Cut;                       // every occurrence's row, when cut
        std::int64_t Counted = -1;          // the occurrences, when only counted
        bool WasCut = false;
        bool Done = false;
    };
    std::size_t longestWord = 0;
    for (int w = 0; w < std::clamp(info.WordCount, 0, MaxSearchWords); ++w)
        longestWord = std::max(longestWord, SearchWord(info, w).size());
    std::vector<THitRows> perHit(hits.size());
    alignas(64) std::atomic<std::size_t> next{0};
    alignas(64) std::atomic<std::size_t> cutRows{0};
    std::mutex handing;
    std::size_t handed = 0; // hits handed over, under handing
    std::size_t rowsHanded = 0;
    std::int64_t total = 0;
    TConcordanceWork late;
    auto handOver = [&](THitRows& hit, std::int32_t n) {
        total += std::max<std::int64_t>(hit.Counted, 0);
        for (const TFamilySpans& family : hit.Families)
            total += static_cast<std::int64_t>(family.Spans.size());
        if (!hit.WasCut && rowsHanded < limit)
            HitSpans(data, info, matcher, n, late, [&](const TFamilySpans& family, std::u16string_view text) {
                AddRows(n, family, text, width, limit - rowsHanded, hit.Cut);
            });
        if (hit.Cut.Rows.size() > limit - rowsHanded) hit.Cut.Rows.resize(limit - rowsHanded);
        rowsHanded += hit.Cut.Rows.size();
        if (!hit.Cut.Rows.empty()) onHit(hit.Cut);
        hit = {};
    };
    // A thread takes a few hits at a time and hands them over together, so that the
    // threads meet over the shared counters once for the few.
    constexpr std::size_t Claim = 8;
    auto work = [&] {
        TConcordanceWork scratch;
        for (std::size_t first = next.fetch_add(Claim); first < hits.size(); first = next.fetch_add(Claim)) {
            const std::size_t last = std::min(first + Claim, hits.size());
            for (std::size_t i = first; i < last; ++i) {
                THitRows& hit = perHit[i];
                hit.WasCut = cutRows.load() < limit;
                if (!hit.WasCut) hit.Counted = IndexedHitCount(data, info, matcher, hits[i], longestWord, scratch);
                if (hit.Counted < 0)
                    hit.Families = HitSpans(data, info, matcher, hits[i], scratch,
                                            [&](const TFamilySpans& family, std::u16string_view text) {
                                                if (hit.WasCut) AddRows(hits[i], family, text, width, limit, hit.Cut);
                                            });
                if (!hit.Cut.Rows.empty()) cutRows += hit.Cut.Rows.size();
            }
            const std::lock_guard lock(handing);
            for (std::size_t i = first; i < last; ++i)
                perHit[i].Done = true;
            for (; handed < hits.size() && perHit[handed].Done; ++handed)
                handOver(perHit[handed], hits[handed]);
        }
    };
    OnThreads((hits.size() + Claim - 1) / Claim, threadCount, work);
    return total;
}

} // namespace

std::int64_t ForEachConcordanceRow(const TLoadedData& data, const TSearchInfo& info, int width, std::size_t limit,
                                   int threadCount, const std::function<void(TConcordanceRow& row)>& onRow)
{
    return CutConcordance(data, info, width, limit, threadCount, [&](TCutRows& hit) {
        for (TConcordanceRow& row : hit.Rows)
            onRow(row);
    });
}

TConcordance BuildConcordance(const TLoadedData& data, const TSearchInfo& info, int width, std::size_t limit,
                              int threadCount)
{
    TConcordance result;
    // A window's worth of rows at once; a longer list grows as it must.
    result.Rows.reserve(std::min<std::size_t>(limit, WindowConcordanceRows));
    // The rows keep pointing into their hit's units, which move here whole.
    result.Total = CutConcordance(data, info, width, limit, threadCount, [&](TCutRows& hit) {
        result.Rows.insert(result.Rows.end(), hit.Rows.begin(), hit.Rows.end());
        for (std::unique_ptr<char16_t[]>& units : hit.Units)
            result.Units.push_back(std::move(units));
    });
    return result;
}
