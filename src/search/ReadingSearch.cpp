#include "search/ReadingSearch.h"

#include "data/CharacterFile.h"
#include "search/Matcher.h"

#include <algorithm>

namespace {

constexpr std::uint32_t SyllableCount = 0xD7A3 - 0xAC00 + 1;

} // namespace

TReadingIndex BuildReadingIndex(const TCharacterFile& file)
{
    TReadingIndex index;
    index.Starts.assign(SyllableCount + 1, 0);
    for (const TCharacterInfo& info : file.Characters)
        if (info.Character < 0x10000)
            for (char16_t reading : info.Readings)
                ++index.Starts[reading - 0xAC00 + 1];
    for (std::uint32_t s = 1; s <= SyllableCount; ++s)
        index.Starts[s] += index.Starts[s - 1];
    index.Characters.resize(index.Starts[SyllableCount]);
    std::vector<std::uint32_t> next(index.Starts.begin(), index.Starts.end() - 1);
    // The file is ascending by character, so each syllable's list comes out ascending too.
    for (const TCharacterInfo& info : file.Characters)
        if (info.Character < 0x10000)
            for (char16_t reading : info.Readings)
                index.Characters[next[reading - 0xAC00]++] = static_cast<char16_t>(info.Character);
    return index;
}

std::span<const char16_t> CharactersReading(const TReadingIndex& index, char16_t syllable)
{
    if (!IsHangulSyllable(syllable) || index.Starts.size() != SyllableCount + 1) return {};
    const std::uint32_t s = syllable - 0xAC00;
    return std::span<const char16_t>(index.Characters).subspan(index.Starts[s], index.Starts[s + 1] - index.Starts[s]);
}

bool ReadingSearchActive(const TSearchInfo& info)
{
    return info.ByReading && info.TitleIndex != HanCanon && info.Readings;
}

void AppendReadingClass(const TSearchInfo& info, const std::array<TVariantFile, VariantFileCount>& variants,
                        char16_t unit, std::vector<char16_t>& out)
{
    if (!ReadingSearchActive(info)) return;
    const bool allowed = VariantsAllowed(info);
    for (char16_t c : CharactersReading(*info.Readings, unit)) {
        out.push_back(c);
        if (!allowed) continue;
        for (const TVariantFile& file : variants)
            for (std::size_t p = file.CharIndex[c]; p < file.Text.size() && file.Text[p] != 0; ++p)
                out.push_back(file.Text[p]);
    }
}
