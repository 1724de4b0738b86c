#include "search/WordFind.h"

#include "search/SearchWords.h"

std::vector<THighlightRun> FindWordInText(const TVariantFiles& variants, std::u16string_view text,
                                          std::u16string_view word, int family, bool sameCharacter)
{
    std::vector<THighlightRun> found;
    if (family < 0 || family >= TextFileCount) return found;
    const std::u16string cleaned = CleanSearchLine(word, family);
    if (cleaned.empty()) return found;
    TSearchInfo info;
    info.TitleIndex = family; // the canon whose rules the family's text is searched by
    info.SameCharacter = sameCharacter;
    BuildPositions(info, text);
    const auto& positions = info.Work.Positions;
    const std::int32_t last = static_cast<std::int32_t>(cleaned.size()) - 1;
    ForEachOccurrence(info, variants, text, cleaned, [&](std::int32_t s) {
        found.push_back({positions[s] - 1, positions[s + last]});
    });
    return found;
}
