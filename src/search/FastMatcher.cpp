#include "search/FastMatcher.h"

#include "data/HanmoonText.h"
#include "search/ReadingSearch.h"
#include "search/SearchWords.h"

#include <algorithm>
#include <bit>

TFastMatcher::TFastMatcher(const TSearchInfo& info, const TVariantFiles& variants)
    : Table(65536, 0), AllWords(info.SearchMode != 0), Hanmoon(info.TitleIndex != HanCanon)
{
    for (char16_t c : IgnorableChars)
        if (IsSkippedChar(c, info.TitleIndex)) Table[c] |= SkipBit;
    if (Hanmoon)
        for (char16_t c : LineHeadOpeners)
            Table[c] |= HeadBit;

    // The members of the last group holding w in each file, walked as IsVariant walks them,
    // so that the table accepts exactly what IsVariant accepts.
    const bool allowed = VariantsAllowed(info);
    auto addVariants = [&](char16_t w) {
        for (const TVariantFile& file : variants)
            for (std::size_t p = file.CharIndex[w]; p < file.Text.size() && file.Text[p] != 0; ++p)
                if (file.Text[p] != w) Others.push_back(file.Text[p]);
    };

    bool emptyWord = false;
    const int wordCount = std::clamp(info.WordCount, 0, MaxSearchWords);
    for (int w = 0; w < wordCount; ++w) {
        const std::u16string_view word = SearchWord(info, w);
        TWord entry{static_cast<std::uint32_t>(Units.size()), 0};
        for (char16_t unit : word) {
            TWordUnit u{unit, static_cast<std::uint32_t>(Others.size()), 0, 0, 0, -1};
            if (allowed) addVariants(unit);
            AppendReadingClass(info, variants, unit, Others);
            // Sorted and once each, so that Accepts may search a long class by halves.
            const auto others = Others.begin() + u.OthersBegin;
            std::sort(others, Others.end());
            Others.erase(std::remove(others, std::unique(others, Others.end()), unit), Others.end());
            u.OthersEnd = static_cast<std::uint32_t>(Others.size());
            u.SignatureBegin = static_cast<std::uint32_t>(SignatureBits.size());
            SignatureBits.push_back(static_cast<std::uint16_t>(TCharSignature::BitOf(unit)));
            for (std::uint32_t o = u.OthersBegin; o < u.OthersEnd; ++o)
                SignatureBits.push_back(static_cast<std::uint16_t>(TCharSignature::BitOf(Others[o])));
            u.SignatureEnd = static_cast<std::uint32_t>(SignatureBits.size());
            // A long class (a reading's characters) is asked with one mask rather than bit by bit.
            if (u.SignatureEnd - u.SignatureBegin > LongClass) {
                u.ClassMask = static_cast<std::int32_t>(ClassMasks.size());
                TCharSignature& mask = ClassMasks.emplace_back();
                for (std::uint32_t b = u.SignatureBegin; b < u.SignatureEnd; ++b)
                    mask.Bits[SignatureBits[b] >> 6] |= std::uint64_t(1) << (SignatureBits[b] & 63);
            }
            Units.push_back(u);
        }
        entry.End = static_cast<std::uint32_t>(Units.size());
        Words.push_back(entry);
        if (word.empty()) {
            // An empty word occurs at every start, even in an empty text.
            emptyWord = true;
            continue;
        }
        const TWordUnit& first = Units[entry.Begin];
        const std::uint32_t bit = 1u << w;
        NeededWords |= bit;
        Table[first.Unit] |= bit;
        for (std::uint32_t o = first.OthersBegin; o < first.OthersEnd; ++o)
            Table[Others[o]] |= bit;
    }

    // Skipped characters never start an occurrence.
    for (char16_t c : IgnorableChars)
        if (Table[c] & SkipBit) Table[c] &= ~WordBits;
    for (std::size_t w = 0; w < Words.size(); ++w) {
        const TWord& word = Words[w];
        if (word.Begin == word.End) continue;
        const bool single = word.End - word.Begin == 1;
        const auto wordClass = static_cast<std::uint8_t>(single ? AlwaysClass : 1u << (w % PairClasses));
        const TWordUnit& first = Units[word.Begin];
        MarkInteresting(first.Unit, wordClass);
        for (std::uint32_t o = first.OthersBegin; o < first.OthersEnd; ++o)
            MarkInteresting(Others[o], wordClass);
        if (single) continue;
        const TWordUnit& second = Units[word.Begin + 1];
        NextClasses[second.Unit] |= wordClass;
        for (std::uint32_t o = second.OthersBegin; o < second.OthersEnd; ++o)
            NextClasses[Others[o]] |= wordClass;
    }
    for (char16_t c : LineHeadOpeners)
        MarkInteresting(c, AlwaysClass);
    // The character the matcher takes after a start may lie beyond skipped characters or a
    // line head: those let every start through.
    for (char16_t c : IgnorableChars)
        if (Table[c] & SkipBit) NextClasses[c] = EveryClass;
    for (char16_t c : LineHeadOpeners)
        if (Table[c] & HeadBit) NextClasses[c] = EveryClass;

    if (!AllWords) {
        Settled = emptyWord || NeededWords == 0;
        SettledResult = emptyWord;
    } else if (wordCount != info.WordCount) {
        // A count outside the slots is never met, as MatchText counts.
        Settled = true;
        SettledResult = false;
    } else {
        Settled = NeededWords == 0;
        SettledResult = true;
    }
}

void TFastMatcher::MarkInteresting(char16_t c, std::uint8_t classes)
{
    if (Table[c] & (WordBits | HeadBit)) Interesting[c] |= classes;
}

bool TFastMatcher::Accepts(const TWordUnit& unit, char16_t c) const
{
    if (c == unit.Unit) return true;
    if (unit.OthersEnd - unit.OthersBegin > 8)
        return std::binary_search(Others.begin() + unit.OthersBegin, Others.begin() + unit.OthersEnd, c);
    for (std::uint32_t o = unit.OthersBegin; o < unit.OthersEnd; ++o)
        if (Others[o] == c) return true;
    return false;
}

template <bool StripHeads>
std::int64_t TFastMatcher::NextSearched(const char16_t* units, std::int64_t textLength, std::int64_t q,
                                        std::int64_t end) const
{
    while (q < end) {
        const std::uint32_t cls = Table[units[q]];
        if (!(cls & (SkipBit | HeadBit))) return q;
        if constexpr (StripHeads) {
            if ((cls & HeadBit) && IsLineHeadAt(units, textLength, q)) {
                q = AfterLineHead(units, end, q);
                if (q >= end) return end;
                // The unit after a dropped head is taken without testing it for a further head.
                if (!(Table[units[q]] & SkipBit)) return q;
                ++q;
                continue;
            }
        }
        if (!(cls & SkipBit)) return q;
        ++q;
    }
    return end;
}

void TFastMatcher::Forget(std::uint32_t remaining, int word, TScratch& scratch) const
{
    const TWordUnit& first = Units[Words[word].Begin];
    // Forgetting only spares the scan some starts, which a long class costs more to walk than it saves.
    if (first.ClassMask >= 0) return;
    auto forget = [&](char16_t c) {
        if (Table[c] & (remaining | HeadBit)) return;
        if (scratch.Interesting[c]) {
            scratch.Interesting[c] = 0;
            scratch.Cleared.push_back(c);
        }
    };
    forget(first.Unit);
    for (std::uint32_t o = first.OthersBegin; o < first.OthersEnd; ++o)
        forget(Others[o]);
}

bool TFastMatcher::MayHold(const TCharSignature& signature, int word) const
{
    for (std::uint32_t k = Words[word].Begin; k < Words[word].End; ++k) {
        const TWordUnit& unit = Units[k];
        if (unit.ClassMask >= 0) {
            const TCharSignature& mask = ClassMasks[unit.ClassMask];
            std::size_t i = 0;
            while (i < mask.Bits.size() && !(mask.Bits[i] & signature.Bits[i]))
                ++i;
            if (i == mask.Bits.size()) return false;
            continue;
        }
        bool any = false;
        for (std::uint32_t b = unit.SignatureBegin; !any && b < unit.SignatureEnd; ++b)
            any = signature.Has(SignatureBits[b]);
        if (!any) return false;
    }
    return true;
}

std::uint32_t TFastMatcher::PossibleWords(const TCharSignature& signature) const
{
    std::uint32_t possible = 0;
    for (std::uint32_t needed = NeededWords; needed; needed &= needed - 1)
        if (MayHold(signature, std::countr_zero(needed))) possible |= needed & -needed;
    return possible;
}

template <bool StripHeads>
bool TFastMatcher::ScanAndRestore(const char16_t* units, std::int64_t textLength, std::int64_t begin, std::int64_t end,
                                  const TCharSignature* signature, TScratch& scratch) const
{
    std::uint32_t remaining = NeededWords;
    if (signature) {
        const std::uint32_t possible = PossibleWords(*signature);
        if (AllWords ? possible != NeededWords : possible == 0) return false;
        // Words the text cannot hold need no look at their first characters.
        for (std::uint32_t impossible = NeededWords & ~possible; impossible; impossible &= impossible - 1)
            Forget(possible, std::countr_zero(impossible), scratch);
        remaining = possible;
    }
    const bool result = Scan<StripHeads>(units, textLength, begin, end, remaining, scratch);
    for (char16_t c : scratch.Cleared)
        scratch.Interesting[c] = Interesting[c];
    scratch.Cleared.clear();
    return result;
}

std::int64_t TFastMatcher::NextStart(const std::uint8_t* interesting, const char16_t* units, std::int64_t q,
                                     std::int64_t end) const
{
    // Most characters neither start a word nor a line head. Four at a time, one branch for
    // the four, steps over them; where one may start a word, its successor is asked too,
    // still four at a time, so that a text full of the first characters of the words is
    // not read start by start.
    const std::uint8_t* next = NextClasses.data();
    while (q + 5 <= end) {
        const std::uint8_t a = interesting[units[q]], b = interesting[units[q + 1]], c = interesting[units[q + 2]],
                           d = interesting[units[q + 3]];
        if ((a & next[units[q + 1]]) | (b & next[units[q + 2]]) | (c & next[units[q + 3]]) | (d & next[units[q + 4]]))
            break;
        q += 4;
    }
    for (; q < end; ++q) {
        const std::uint8_t classes = interesting[units[q]];
        if (classes && (q + 1 == end || (classes & next[units[q + 1]]))) break;
    }
    return q;
}

template <bool StripHeads>
bool TFastMatcher::Scan(const char16_t* units, std::int64_t textLength, std::int64_t begin, std::int64_t end,
                        std::uint32_t remaining, TScratch& scratch) const
{
    for (std::int64_t q = begin;; ++q) {
        q = NextStart(scratch.Interesting.data(), units, q, end);
        if (q >= end) return false;
        std::uint32_t cls = Table[units[q]];
        if constexpr (StripHeads) {
            if ((cls & HeadBit) && IsLineHeadAt(units, textLength, q)) {
                q = AfterLineHead(units, end, q);
                if (q >= end) return false;
                // The unit after a dropped head is taken without testing it for a further head.
                cls = Table[units[q]];
            }
        }
        // Skipped characters carry no word bits, so they never start an occurrence.
        std::uint32_t candidates = cls & remaining;
        while (candidates) {
            const int w = std::countr_zero(candidates);
            candidates &= candidates - 1;
            const TWord& word = Words[w];
            std::int64_t r = q;
            std::uint32_t k = word.Begin + 1;
            for (; k < word.End; ++k) {
                r = NextSearched<StripHeads>(units, textLength, r + 1, end);
                if (r >= end || !Accepts(Units[k], units[r])) break;
            }
            if (k < word.End) continue;
            if (!AllWords) return true;
            remaining &= ~(1u << w);
            if (remaining == 0) return true;
            Forget(remaining, w, scratch);
        }
    }
}

bool TFastMatcher::Qualifies(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                             std::int32_t length, TScratch& scratch) const
{
    if (Settled) return SettledResult;
    const std::int64_t size = static_cast<std::int64_t>(buffer.size());
    if (!Hanmoon) {
        // The range as CopyWideChars clamps it.
        const std::int64_t first = std::clamp<std::int64_t>(start, 0, size);
        const std::int64_t count = std::clamp<std::int64_t>(length, 0, size - first);
        return ScanAndRestore<false>(buffer.data(), size, first, first + count, nullptr, scratch);
    }
    // The range and the head limit as CopyHanmoonText clamps them.
    const std::int64_t limit = std::max<std::int64_t>(0, std::min<std::int64_t>(textLength, size));
    const std::int64_t first = std::clamp<std::int64_t>(start, 0, limit);
    const std::int64_t end = std::clamp<std::int64_t>(std::int64_t(start) + std::max(length, 0), first, limit);
    return ScanAndRestore<true>(buffer.data(), limit, first, end, nullptr, scratch);
}

bool TFastMatcher::QualifiesSearched(const TSearchedBody& body, TScratch& scratch) const
{
    if (Settled) return SettledResult;
    // Neither heads nor skipped characters are left in the text: it is scanned as it stands.
    const auto size = static_cast<std::int64_t>(body.Text.size());
    return ScanAndRestore<false>(body.Text.data(), size, 0, size, body.Signature, scratch);
}

bool TFastMatcher::QualifiesText(std::u16string_view text) const
{
    if (Settled) return SettledResult;
    TScratch scratch = MakeScratch();
    return Scan<false>(text.data(), static_cast<std::int64_t>(text.size()), 0, static_cast<std::int64_t>(text.size()),
                       NeededWords, scratch);
}

void TFastMatcher::Occurrences(std::u16string_view text, std::vector<TOccurrence>& out) const
{
    const char16_t* units = text.data();
    const auto end = static_cast<std::int64_t>(text.size());
    for (std::int64_t q = 0;; ++q) {
        // Every word stays wanted to the end, so the table is read as it was made.
        q = NextStart(Interesting.data(), units, q, end);
        if (q >= end) return;
        for (std::uint32_t candidates = Table[units[q]] & NeededWords; candidates; candidates &= candidates - 1) {
            const TWord& word = Words[std::countr_zero(candidates)];
            std::int64_t r = q;
            std::uint32_t k = word.Begin + 1;
            for (; k < word.End; ++k) {
                r = NextSearched<false>(units, end, r + 1, end);
                if (r >= end || !Accepts(Units[k], units[r])) break;
            }
            if (k == word.End) out.push_back({q, r});
        }
    }
}
