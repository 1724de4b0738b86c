#pragma once

// Taking a search's options and words: the reset of the search state, the cleaning of the
// memo lines and the validation of the words. SearchSutras (SearchScan.h) runs them for the
// window and the command-line tool alike, so that a word is accepted or rejected the same
// way in each.

#include "data/Vesko3Common.h"
#include "search/SearchInfo.h"
#include "util/Messages.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::u16string_view WordTooLongMessage = u"단어 길이가 너무 깁니다.";
inline constexpr std::u16string_view TooManyWordsMessage = u"단어 개수가 너무 많습니다.";
inline constexpr std::u16string_view NoWordsMessage = u"검색할 단어가 입력되지 않았습니다.";
inline constexpr std::u16string_view SearchMessageCaption = u"확인";

// The search targets (TitleIndex) by name, as the window lists them and the tool accepts
// them; the collections (KindIndex) are KindNames.
inline constexpr std::u16string_view CanonNames[] = {FamilyEditionNames[HanFamily], FamilyEditionNames[KorFamily],
                                                     FamilyEditionNames[SinsuFamily], u"고려대장경+신수대장경 함께"};

// What the search tab's controls say when the button is pressed.
struct TSearchOptions
{
    std::int32_t TitleIndex = 0;
    std::int32_t KindIndex = 0;
    std::int32_t SearchMode = 0;
    bool SameCharacter = true; // the check box starts ticked
    bool ByReading = false;    // "한글 독음으로 찾기": Hangul words read as the characters they read
};

enum class TWordCheck
{
    Accepted,
    TooLong, // a word of 100 or more units
    TooMany, // a 21st word
    NoWords, // the memo holds nothing but blank lines: the window empties it
};

// The work arrays the loader sizes: workSize elements each, all zero.
void SizeSearchWork(TSearchInfo& info, std::int32_t workSize);

// What loading the session does for the search once the six files are in: the work arrays
// for the largest TextSize plus WorkSpareUnits, and the index of the bodies' characters.
void PrepareSearch(TSearchInfo& info, const TLoadedData& data);

// Everything of info back to zero, the work arrays keeping their size, then the options taken.
void BeginSearch(TSearchInfo& info, const TSearchOptions& options);

// A memo line as it will be searched: for the Chinese canons every ignorable character is
// dropped wherever it stands; for the Korean canon the line is only trimmed at both ends.
std::u16string CleanSearchLine(std::u16string_view line, std::int32_t titleIndex);
std::vector<std::u16string> CleanSearchLines(const std::vector<std::u16string>& lines, std::int32_t titleIndex);

// Collects the non-empty lines (trimmed) into info.Words, top to bottom, stopping at the
// first line that is too long or would be a 21st word. Shows nothing.
TWordCheck CollectSearchWords(TSearchInfo& info, const std::vector<std::u16string>& cleanedLines);

// The message box of a rejected check (caption "확인"); nothing for Accepted.
void ShowWordCheckMessage(TWordCheck check, IMessages& messages);

// The word in slot, up to its terminating 0.
std::u16string_view SearchWord(const TSearchInfo& info, int slot);
