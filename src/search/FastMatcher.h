#pragma once

// The decision of MatchText, reached without marking anything and without copying the
// text: a per-search table tells for every text character which words it may start, a
// second one which words its successor may continue, only starts that pass both are
// verified, and a text is left as soon as its decision is settled. It
// reads a body either as the search index holds it (see SearchIndex.h) or, without an
// index, in the loaded buffer, stepping over line heads exactly as CopyHanmoonText drops
// them.

#include "search/Matcher.h"
#include "search/SearchIndex.h"

#include <cstdint>
#include <span>
#include <vector>

class TFastMatcher
{
public:
    // Prepares the words and options of info. The object is read-only afterwards, so
    // several threads may share it.
    TFastMatcher(const TSearchInfo& info, const TVariantFiles& variants);

    // What one thread changes while it scans: which characters still deserve a look.
    // In all-words mode a word once found no longer makes its first characters stop the
    // scan; the bits are put back before a scan returns.
    struct TScratch
    {
        std::vector<std::uint8_t> Interesting; // per character: FirstClasses, or 0 once not needed
        std::vector<char16_t> Cleared;
    };
    TScratch MakeScratch() const { return {Interesting, {}}; }

    // MatchText's result for the text CopyWideChars (Korean canon) or CopyHanmoonText
    // (Chinese canons) would make of this range of a loaded file's text.
    bool Qualifies(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start, std::int32_t length,
                   TScratch& scratch) const;

    // The same for a body as the search index holds it: only the characters the matcher
    // looks at, and their summary.
    bool QualifiesSearched(const TSearchedBody& body, TScratch& scratch) const;

    // MatchText's result for a text given as it stands.
    bool QualifiesText(std::u16string_view text) const;

    // Every occurrence of every word in a text given as it stands (a view text: its line
    // heads already dropped), as MatchText finds them, in one pass for all words: the
    // positions of its first and last characters, ordered by the first.
    struct TOccurrence
    {
        std::int64_t First;
        std::int64_t Last;
    };
    void Occurrences(std::u16string_view text, std::vector<TOccurrence>& out) const;

private:
    struct TWordUnit
    {
        char16_t Unit;             // the word's own character, the usual match
        std::uint32_t OthersBegin; // its further variants in Others
        std::uint32_t OthersEnd;
        std::uint32_t SignatureBegin; // summary bits of the unit and its variants in SignatureBits
        std::uint32_t SignatureEnd;
        std::int32_t ClassMask = -1; // its summary bits as one mask in ClassMasks, for a long class
    };
    struct TWord
    {
        std::uint32_t Begin; // its units in Units
        std::uint32_t End;
    };

    std::int64_t NextStart(const std::uint8_t* interesting, const char16_t* units, std::int64_t q,
                           std::int64_t end) const;
    template <bool StripHeads>
    bool Scan(const char16_t* units, std::int64_t textLength, std::int64_t begin, std::int64_t end,
              std::uint32_t remaining, TScratch& scratch) const;
    template <bool StripHeads>
    bool ScanAndRestore(const char16_t* units, std::int64_t textLength, std::int64_t begin, std::int64_t end,
                        const TCharSignature* signature, TScratch& scratch) const;
    bool MayHold(const TCharSignature& signature, int word) const;
    std::uint32_t PossibleWords(const TCharSignature& signature) const;
    void Forget(std::uint32_t remaining, int word, TScratch& scratch) const;
    template <bool StripHeads>
    std::int64_t NextSearched(const char16_t* units, std::int64_t textLength, std::int64_t q, std::int64_t end) const;
    bool Accepts(const TWordUnit& unit, char16_t c) const;
    void MarkInteresting(char16_t c, std::uint8_t classes);

    static constexpr std::uint32_t SkipBit = 1u << 30;
    static constexpr std::uint32_t HeadBit = 1u << 31;
    static constexpr std::uint32_t WordBits = (1u << MaxSearchWords) - 1;
    // A word of two or more units belongs to one of seven classes; a start is worth a look
    // only when its character begins a word of some class and the next character may
    // continue a word of that class. AlwaysClass marks starts that need no successor (a
    // word of one unit, a line head); every character carries it as a successor.
    static constexpr int PairClasses = 7;
    static constexpr std::uint8_t AlwaysClass = 0x80;
    static constexpr std::uint8_t EveryClass = 0xFF;

    // Per text character: the words it may start (bit per slot), whether the matcher skips
    // it and whether a line head may begin with it.
    std::vector<std::uint32_t> Table;
    std::vector<std::uint8_t> Interesting = std::vector<std::uint8_t>(65536); // first classes per character
    std::vector<std::uint8_t> NextClasses = std::vector<std::uint8_t>(65536, AlwaysClass); // as a successor
    std::vector<TWord> Words;
    std::vector<TWordUnit> Units;
    std::vector<char16_t> Others;
    std::vector<std::uint16_t> SignatureBits;
    std::vector<TCharSignature> ClassMasks;
    static constexpr std::uint32_t LongClass = 4;
    std::uint32_t NeededWords = 0; // slots with a word of at least one unit
    bool AllWords = false;
    bool Settled = false; // the decision holds for every text
    bool SettledResult = false;
    bool Hanmoon = false;
};
