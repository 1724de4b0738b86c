// Feeds arbitrary memo text (UTF-16 units, the first byte choosing the canon) to the search
// words' cleaning and checking: a cleaned Chinese line holds no ignorable character and cleans
// to itself, a Korean one is trimmed, and the words taken are the memo's non-empty lines in
// order, each shorter than a slot and never more than the slots.

#include "FuzzCheck.h"
#include "search/Matcher.h"
#include "search/SearchWords.h"
#include "util/MyUtils.h"
#include "util/TextLines.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::int32_t titleIndex = data[0] % 4;
    std::u16string memo;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        memo.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));

    std::vector<std::u16string> lines;
    for (std::u16string_view line : SplitLines(memo))
        lines.emplace_back(line);
    const std::vector<std::u16string> cleaned = CleanSearchLines(lines, titleIndex);
    Require(cleaned.size() == lines.size(), "cleaning lost a line");
    for (const std::u16string& line : cleaned) {
        if (titleIndex == HanCanon) {
            Require(TrimControlAndBlank(line) == line, "a Korean line is not trimmed");
        } else {
            Require(std::none_of(line.begin(), line.end(), [](char16_t c) { return IsIgnorableChar(c); }),
                    "a cleaned Chinese line keeps an ignorable character");
            Require(CleanSearchLine(line, titleIndex) == line, "cleaning a cleaned line changed it");
        }
    }

    auto info = std::make_unique<TSearchInfo>();
    const TWordCheck check = CollectSearchWords(*info, cleaned);
    Require(info->WordCount >= 0 && info->WordCount <= MaxSearchWords, "more words than slots");
    std::vector<std::u16string_view> words;
    for (const std::u16string& line : cleaned)
        if (std::u16string_view word = TrimControlAndBlank(line); !word.empty()) words.push_back(word);
    Require((check == TWordCheck::NoWords) == words.empty(), "no words told wrongly");
    Require(check != TWordCheck::Accepted || words.size() == std::size_t(info->WordCount), "a word was dropped");
    Require(check != TWordCheck::TooMany || words.size() > MaxSearchWords, "too many told for few words");
    for (int slot = 0; slot < info->WordCount; ++slot) {
        Require(words[slot].size() < WordSlotUnits, "a word longer than its slot");
        // A slot ends at its first 0 unit, so a word holding one is kept up to it.
        const std::u16string_view kept = SearchWord(*info, slot);
        Require(words[slot].substr(0, kept.size()) == kept, "a slot holds another word");
    }
    return 0;
}
