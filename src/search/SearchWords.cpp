#include "search/SearchWords.h"

#include "data/LoadDriver.h"
#include "search/Matcher.h"
#include "search/ReadingSearch.h"
#include "util/MyUtils.h"

#include <algorithm>

void SizeSearchWork(TSearchInfo& info, std::int32_t workSize)
{
    info.Work.WorkSize = std::max(workSize, 0);
    info.Work.Marks.assign(static_cast<std::size_t>(info.Work.WorkSize), 0);
    info.Work.Positions.assign(static_cast<std::size_t>(info.Work.WorkSize), 0);
    info.Work.OccurrenceCount = 0;
    info.Work.PositionCount = 0;
}

void PrepareSearch(TSearchInfo& info, const TLoadedData& data)
{
    SizeSearchWork(info, LargestTextSize(data) + WorkSpareUnits);
    info.Index = BuildSearchIndex(data);
    info.Readings = data.CharacterFile.Loaded
                        ? std::make_shared<const TReadingIndex>(BuildReadingIndex(data.CharacterFile))
                        : nullptr;
}

void BeginSearch(TSearchInfo& info, const TSearchOptions& options)
{
    info.TitleIndex = 0;
    info.KindIndex = 0;
    info.SearchMode = 0;
    info.SameCharacter = false;
    info.ByReading = false;
    info.WordCount = 0;
    for (auto& slot : info.Words)
        slot.fill(0);
    info.HitCount = 0;
    info.HitFlags.fill(0);
    std::fill(info.Work.Marks.begin(), info.Work.Marks.end(), 0);
    std::fill(info.Work.Positions.begin(), info.Work.Positions.end(), 0);
    info.Work.OccurrenceCount = 0;
    info.Work.PositionCount = 0;

    info.TitleIndex = options.TitleIndex;
    info.KindIndex = options.KindIndex;
    info.SearchMode = options.SearchMode;
    info.SameCharacter = options.SameCharacter;
    info.ByReading = options.ByReading;
}

std::u16string CleanSearchLine(std::u16string_view line, std::int32_t titleIndex)
{
    if (titleIndex == HanCanon) return std::u16string(TrimControlAndBlank(line));
    std::u16string cleaned;
    cleaned.reserve(line.size());
    for (char16_t c : line)
        if (!IsIgnorableChar(c)) cleaned.push_back(c);
    return cleaned;
}

std::vector<std::u16string> CleanSearchLines(const std::vector<std::u16string>& lines, std::int32_t titleIndex)
{
    std::vector<std::u16string> cleaned;
    cleaned.reserve(lines.size());
    for (const std::u16string& line : lines)
        cleaned.push_back(CleanSearchLine(line, titleIndex));
    return cleaned;
}

TWordCheck CollectSearchWords(TSearchInfo& info, const std::vector<std::u16string>& cleanedLines)
{
    for (const std::u16string& line : cleanedLines) {
        // Trimmed for every canon: a Chinese line may still end in a tab.
        const std::u16string_view word = TrimControlAndBlank(line);
        if (word.empty()) continue;
        if (word.size() >= WordSlotUnits) return TWordCheck::TooLong;
        if (info.WordCount >= MaxSearchWords) return TWordCheck::TooMany;
        auto& slot = info.Words[info.WordCount];
        slot.fill(0);
        std::copy(word.begin(), word.end(), slot.begin());
        ++info.WordCount;
    }
    return info.WordCount == 0 ? TWordCheck::NoWords : TWordCheck::Accepted;
}

void ShowWordCheckMessage(TWordCheck check, IMessages& messages)
{
    const std::u16string caption(SearchMessageCaption);
    switch (check) {
    case TWordCheck::Accepted:
        return;
    case TWordCheck::TooLong:
        return messages.Show(std::u16string(WordTooLongMessage), caption);
    case TWordCheck::TooMany:
        return messages.Show(std::u16string(TooManyWordsMessage), caption);
    case TWordCheck::NoWords:
        return messages.Show(std::u16string(NoWordsMessage), caption);
    }
}

std::u16string_view SearchWord(const TSearchInfo& info, int slot)
{
    const auto& units = info.Words[slot];
    const auto end = std::find(units.begin(), units.end(), u'\0');
    return std::u16string_view(units.data(), static_cast<std::size_t>(end - units.begin()));
}
