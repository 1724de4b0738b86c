#include "search/Matcher.h"

#include "data/VariantFile.h"
#include "search/SearchWords.h"

#include <algorithm>
#include <functional>

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
    // The characters IsVariant accepts for the word's first unit, so that most starts are
    // passed over without a call.
    std::vector<char16_t> firsts{word[0]};
    if (allowed)
        for (const TVariantFile& file : variants)
            for (std::size_t p = file.CharIndex[word[0]]; p < file.Text.size() && file.Text[p] != 0; ++p)
                firsts.push_back(file.Text[p]);
    // Every start is tried, so overlapping occurrences are all found.
    for (std::int32_t s = 0; s <= n - length; ++s) {
        const char16_t first = text[work.Positions[s] - 1];
        if (first != firsts[0] && std::find(firsts.begin() + 1, firsts.end(), first) == firsts.end()) continue;
        std::int32_t k = 0;
        while (k < length && IsVariant(variants, text[work.Positions[s + k] - 1], word[k], allowed))
            ++k;
        if (k < length) continue;
        ++count;
        found(s);
    }
    return count;
}

bool MatchText(TSearchInfo& info, const TVariantFiles& variants, std::u16string_view text)
{
    BuildPositions(info, text);
    auto& work = info.Work;
    // Only the marks this text can set: the area is sized for the largest text.
    std::fill_n(work.Marks.begin(), text.size() + 1, std::uint8_t(0));
    work.OccurrenceCount = 0;

    int found = 0;
    const int wordCount = std::clamp(info.WordCount, 0, MaxSearchWords); // never beyond the slots
    for (int w = 0; w < wordCount; ++w) {
        const std::u16string_view word = SearchWord(info, w);
        const std::int32_t length = static_cast<std::int32_t>(word.size());
        const std::int32_t count = ForEachOccurrence(info, variants, text, word, [&](std::int32_t s) {
            for (std::int32_t k = 0; k < length; ++k)
                work.Marks[work.Positions[s + k]] |= k + 1 < length ? MarkedChar | JoinedToNextMark : MarkedChar;
        });
        work.OccurrenceCount += count;
        if (count > 0) ++found;
    }
    return info.SearchMode == 0 ? found >= 1 : found == info.WordCount;
}

void NormalizeLineBreaks(std::u16string& text)
{
    std::size_t out = 0;
    const std::size_t length = text.size();
    for (std::size_t p = 0; p < length; ++p) {
        const char16_t c = text[p];
        if (c == u'\r' || c == u'\n') {
            const char16_t pair = c == u'\r' ? u'\n' : u'\r';
            if (p + 1 < length && text[p + 1] == pair) ++p;
            text[out++] = u'\r';
        } else {
            text[out++] = c;
        }
    }
    text.resize(out);
}
