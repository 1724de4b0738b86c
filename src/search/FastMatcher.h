#pragma once

// The decision of MatchText, reached without marking anything and without copying the
// text: a per-search table tells for every text character which words it may start, only
// those starts are verified, and a text is left as soon as its decision is settled. The
// Chinese bodies are read in the loaded buffer, their line heads stepped over exactly as
// CopyHanmoonText drops them.

#include "search/Matcher.h"

#include <array>
#include <cstdint>
#include <vector>

class TFastMatcher
{
public:
    // Prepares the words and options of info. The object is read-only afterwards, so
    // several threads may share it.
    TFastMatcher(const TSearchInfo& info, const TVariantFiles& variants);

    // MatchText's result for the text CopyWideChars (Korean canon) or CopyHanmoonText
    // (Chinese canons) would make of this range of a loaded file's text.
    bool Qualifies(const std::vector<char16_t>& buffer, std::int32_t textLength, std::int32_t start,
                   std::int32_t length) const;

    // MatchText's result for a text given as it stands.
    bool QualifiesText(std::u16string_view text) const;

private:
    struct TWordUnit
    {
        char16_t Unit;             // the word's own character, the usual match
        std::uint32_t OthersBegin; // its further variants in Others
        std::uint32_t OthersEnd;
    };
    struct TWord
    {
        std::uint32_t Begin; // its units in Units
        std::uint32_t End;
    };

    template <bool StripHeads>
    bool Scan(const char16_t* units, std::int64_t textLength, std::int64_t begin, std::int64_t end) const;
    template <bool StripHeads>
    std::int64_t NextSearched(const char16_t* units, std::int64_t textLength, std::int64_t q, std::int64_t end) const;
    bool Accepts(const TWordUnit& unit, char16_t c) const;
    void MarkInteresting(char16_t c);
    bool IsInteresting(char16_t c) const { return (Interesting[c >> 6] >> (c & 63)) & 1; }

    static constexpr std::uint32_t SkipBit = 1u << 30;
    static constexpr std::uint32_t HeadBit = 1u << 31;
    static constexpr std::uint32_t WordBits = (1u << MaxSearchWords) - 1;

    // Per text character: the words it may start (bit per slot), whether the matcher skips
    // it and whether a line head may begin with it.
    std::vector<std::uint32_t> Table;
    std::array<std::uint64_t, 1024> Interesting{}; // characters with word or head bits
    std::vector<TWord> Words;
    std::vector<TWordUnit> Units;
    std::vector<char16_t> Others;
    std::uint32_t NeededWords = 0; // slots with a word of at least one unit
    bool AllWords = false;
    bool Settled = false; // the decision holds for every text
    bool SettledResult = false;
    bool Hanmoon = false;
};
