#include "search/Concordance.h"

#include "browse/SutraTexts.h"
#include "search/SearchScan.h"
#include "util/MyWideString.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace {

std::u16string ContextPiece(std::u16string_view text, std::size_t begin, std::size_t end)
{
    std::u16string piece(text.substr(begin, end - begin));
    for (char16_t& c : piece)
        if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
    return piece;
}

// A matcher of its own for each thread: the words and options of the last search with a
// work area sized for the texts it meets.
TSearchInfo MatcherCopy(const TSearchInfo& info)
{
    TSearchInfo copy;
    copy.TitleIndex = info.TitleIndex;
    copy.KindIndex = info.KindIndex;
    copy.SearchMode = info.SearchMode;
    copy.SameCharacter = info.SameCharacter;
    copy.WordCount = info.WordCount;
    copy.Words = info.Words;
    copy.HitCount = info.HitCount;
    copy.HitFlags = info.HitFlags;
    return copy;
}

} // namespace

void ConcordanceContext(std::u16string_view text, THighlightRun run, int width, TConcordanceRow& row)
{
    const std::size_t size = text.size();
    const std::size_t begin = std::min<std::size_t>(std::max(run.Begin, 0), size);
    const std::size_t end = std::clamp<std::size_t>(std::max(run.End, 0), begin, size);
    const std::size_t w = static_cast<std::size_t>(std::clamp(width, 0, MaxContextWidth));
    std::size_t left = begin - std::min(begin, w);
    if (left < begin && left > 0 && IsLowSurrogate(text[left]) && IsHighSurrogate(text[left - 1])) ++left;
    std::size_t right = std::min(size, end + w);
    if (right > end && right < size && IsHighSurrogate(text[right - 1]) && IsLowSurrogate(text[right])) --right;
    row.Left = ContextPiece(text, left, begin);
    row.Text = ContextPiece(text, begin, end);
    row.Right = ContextPiece(text, end, right);
}

TConcordance BuildConcordance(const TLoadedData& data, const TSearchInfo& info, int width, std::size_t limit,
                              int threadCount)
{
    TConcordance result;
    const std::vector<std::int32_t> hits = HitPositions(info, data);
    if (hits.empty()) return result;

    // Matching is the costly part and is shared among threads; the contexts are cut
    // afterwards, in order, for the rows kept only.
    std::vector<std::vector<TFamilyRuns>> runs(hits.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        TSearchInfo matcher = MatcherCopy(info);
        for (std::size_t i = next++; i < hits.size(); i = next++)
            runs[i] = SearchHitRuns(data, matcher, hits[i]);
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers =
        std::min<std::size_t>(threadCount > 0 ? static_cast<std::size_t>(threadCount) : cores, hits.size()) - 1;
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

    for (std::size_t i = 0; i < hits.size(); ++i) {
        for (const TFamilyRuns& family : runs[i]) {
            result.Total += static_cast<std::int64_t>(family.Occurrences.size());
            if (result.Rows.size() >= limit) continue;
            std::u16string text = FamilyViewText(data, hits[i], family.Family);
            NormalizeLineBreaks(text);
            for (const THitOccurrence& occurrence : family.Occurrences) {
                if (result.Rows.size() >= limit) break;
                TConcordanceRow& row = result.Rows.emplace_back();
                row.Sutra = hits[i];
                row.Family = family.Family;
                row.Run = occurrence.Span;
                ConcordanceContext(text, occurrence.Span, width, row);
            }
        }
    }
    return result;
}
