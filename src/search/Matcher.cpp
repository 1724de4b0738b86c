#include "search/Matcher.h"

#include "data/VariantFile.h"
#include "search/ReadingSearch.h"
#include "search/SearchWords.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <utility>
#include <vector>

bool VariantsAllowed(const TSearchInfo& info)
{
    return info.TitleIndex != HanCanon && info.SameCharacter;
}

void EnsureSearchWork(TSearchInfo& info, std::size_t length)
{
    auto& work = info.Work;
    if (work.Marks.size() > length && work.Positions.size() > length) return;
    const std::size_t size = std::max(length + 1, static_cast<std::size_t>(std::max(work.WorkSize, 0)));
    work.Marks.resize(size, 0);
    work.Positions.resize(size, 0);
    work.WorkSize = static_cast<std::int32_t>(std::min<std::size_t>(size, INT32_MAX));
}

void BuildPositions(TSearchInfo& info, std::u16string_view text)
{
    EnsureSearchWork(info, text.size());
    auto& work = info.Work;
    work.PositionCount = 0;
    const std::int32_t length = static_cast<std::int32_t>(text.size());
    for (std::int32_t p = 1; p <= length; ++p)
        if (!IsSkippedChar(text[p - 1], info.TitleIndex)) work.Positions[work.PositionCount++] = p;
}

namespace {

// What each unit of a word accepts through its reading, sorted; empty unless the words are
// read by reading.
using TReadingClasses = std::vector<std::vector<char16_t>>;

TReadingClasses ReadingClasses(const TSearchInfo& info, const TVariantFiles& variants, std::u16string_view word)
{
    TReadingClasses readings(ReadingSearchActive(info) ? word.size() : 0);
    for (std::size_t k = 0; k < readings.size(); ++k) {
        AppendReadingClass(info, variants, word[k], readings[k]);
        std::sort(readings[k].begin(), readings[k].end());
    }
    return readings;
}

} // namespace

std::int32_t ForEachOccurrence(const TSearchInfo& info, const TVariantFiles& variants, std::u16string_view text,
                               std::u16string_view word, const std::function<void(std::int32_t first)>& found)
{
    const auto& work = info.Work;
    const std::int32_t n = work.PositionCount;
    const std::int32_t length = static_cast<std::int32_t>(word.size());
    const bool allowed = VariantsAllowed(info);
    std::int32_t count = 0;
    if (length == 0) {
        // An empty word occurs at every start, as the loop below would find it.
        for (std::int32_t s = 0; s <= n; ++s, ++count)
            found(s);
        return count;
    }
    // What each unit accepts through its reading, when the word is read so.
    const TReadingClasses readings = ReadingClasses(info, variants, word);
    auto accepts = [&](char16_t t, std::int32_t k) {
        return IsVariant(variants, t, word[k], allowed) ||
               (!readings.empty() && std::binary_search(readings[k].begin(), readings[k].end(), t));
    };
    // The characters IsVariant accepts for the word's first unit, so that most starts are
    // passed over without a call.
    std::vector<char16_t> firsts{word[0]};
    if (allowed)
        for (const TVariantFile& file : variants)
            for (std::size_t p = file.CharIndex[word[0]]; p < file.Text.size() && file.Text[p] != 0; ++p)
                firsts.push_back(file.Text[p]);
    if (!readings.empty()) firsts.insert(firsts.end(), readings[0].begin(), readings[0].end());
    // Every start is tried, so overlapping occurrences are all found.
    for (std::int32_t s = 0; s <= n - length; ++s) {
        const char16_t first = text[work.Positions[s] - 1];
        if (first != firsts[0] && std::find(firsts.begin() + 1, firsts.end(), first) == firsts.end()) continue;
        std::int32_t k = 0;
        while (k < length && accepts(text[work.Positions[s + k] - 1], k))
            ++k;
        if (k < length) continue;
        ++count;
        found(s);
    }
    return count;
}

namespace {

// The characters a word's first unit may match, as ForEachOccurrence passes starts over:
// the unit itself and, with variants allowed, its variant forms.
void AddFirsts(const TVariantFiles& variants, char16_t unit, bool allowed, std::uint32_t bit,
               std::vector<std::pair<char16_t, std::uint32_t>>& firsts)
{
    firsts.emplace_back(unit, bit);
    if (!allowed) return;
    for (const TVariantFile& file : variants)
        for (std::size_t p = file.CharIndex[unit]; p < file.Text.size() && file.Text[p] != 0; ++p)
            firsts.emplace_back(file.Text[p], bit);
}

// Per search word slot: the starts it may take, the characters it is matched over, and the
// occurrences found.
struct TStartTable
{
    std::vector<std::pair<char16_t, std::uint32_t>> Firsts; // sorted by character, one entry each
    std::array<std::uint64_t, 65536 / 64> Bits{};           // characters with an entry
    std::uint32_t Words(char16_t c) const
    {
        if (!(Bits[c >> 6] >> (c & 63) & 1)) return 0;
        const auto it = std::lower_bound(Firsts.begin(), Firsts.end(), c,
                                         [](const auto& entry, char16_t key) { return entry.first < key; });
        return it->second;
    }
};

// The words' first characters in one table, so that one pass over the text tries every
// word at a start whose character may begin it, instead of one pass per word.
void BuildStartTable(const TSearchInfo& info, const TVariantFiles& variants, int wordCount,
                     const std::array<TReadingClasses, MaxSearchWords>& readings, TStartTable& table)
{
    const bool allowed = VariantsAllowed(info);
    std::vector<std::pair<char16_t, std::uint32_t>> firsts;
    for (int w = 0; w < wordCount; ++w) {
        const std::u16string_view word = SearchWord(info, w);
        if (word.empty()) continue;
        AddFirsts(variants, word[0], allowed, 1u << w, firsts);
        if (!readings[w].empty())
            for (const char16_t c : readings[w][0])
                firsts.emplace_back(c, 1u << w);
    }
    std::sort(firsts.begin(), firsts.end());
    for (const auto& [c, bit] : firsts) {
        if (!table.Firsts.empty() && table.Firsts.back().first == c)
            table.Firsts.back().second |= bit;
        else
            table.Firsts.emplace_back(c, bit);
        table.Bits[c >> 6] |= std::uint64_t(1) << (c & 63);
    }
}

} // namespace

bool MatchText(TSearchInfo& info, const TVariantFiles& variants, std::u16string_view text)
{
    BuildPositions(info, text);
    auto& work = info.Work;
    // Only the marks this text can set: the area is sized for the largest text.
    std::fill_n(work.Marks.begin(), text.size() + 1, std::uint8_t(0));
    work.OccurrenceCount = 0;

    const int wordCount = std::clamp(info.WordCount, 0, MaxSearchWords); // never beyond the slots
    const bool allowed = VariantsAllowed(info);
    const std::int32_t n = work.PositionCount;
    std::array<std::u16string_view, MaxSearchWords> words{};
    std::array<std::int32_t, MaxSearchWords> counts{};
    for (int w = 0; w < wordCount; ++w) {
        words[w] = SearchWord(info, w);
        // An empty word occurs at every start and marks nothing.
        if (words[w].empty()) counts[w] = n + 1;
    }
    std::array<TReadingClasses, MaxSearchWords> readings;
    for (int w = 0; w < wordCount; ++w)
        readings[w] = ReadingClasses(info, variants, words[w]);
    TStartTable table;
    BuildStartTable(info, variants, wordCount, readings, table);

    // Every start is tried for every word its character may begin, so overlapping
    // occurrences are all found; marks only accumulate, so the order words are tried in
    // does not matter.
    const std::int32_t* positions = work.Positions.data();
    for (std::int32_t s = 0; s < n; ++s) {
        std::uint32_t candidates = table.Words(text[positions[s] - 1]);
        while (candidates) {
            const int w = std::countr_zero(candidates);
            candidates &= candidates - 1;
            const std::u16string_view word = words[w];
            const std::int32_t length = static_cast<std::int32_t>(word.size());
            if (s > n - length) continue;
            std::int32_t k = 0;
            const TReadingClasses& classes = readings[w];
            auto accepts = [&](char16_t t) {
                return IsVariant(variants, t, word[k], allowed) ||
                       (!classes.empty() && std::binary_search(classes[k].begin(), classes[k].end(), t));
            };
            while (k < length && accepts(text[positions[s + k] - 1]))
                ++k;
            if (k < length) continue;
            ++counts[w];
            for (k = 0; k < length; ++k)
                work.Marks[positions[s + k]] |= k + 1 < length ? MarkedChar | JoinedToNextMark : MarkedChar;
        }
    }

    int found = 0;
    for (int w = 0; w < wordCount; ++w) {
        work.OccurrenceCount += counts[w];
        if (counts[w] > 0) ++found;
    }
    return info.SearchMode == 0 ? found >= 1 : found == info.WordCount;
}

void NormalizeLineBreaks(std::u16string& text)
{
    // Written over itself: the normalised text is never ahead of the text read.
    TLineBreakNormalizer normalizer;
    text.resize(static_cast<std::size_t>(normalizer.Write(text, text.data()) - text.data()));
}
