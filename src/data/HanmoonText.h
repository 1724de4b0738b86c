#pragma once

#include "util/TextLines.h"
#include "util/UnitBlocks.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <span>
#include <vector>

// The line heads of the classical Chinese texts: 18 units, "T", 16 units and "║" in the
// 신수대장경, "K", 16 units and ";" in the 고려대장경. A head is dropped with the spaces
// that follow it. The display, the search index and the fast matcher all read the texts
// through these rules, so that positions found by the search match what the views show.
inline constexpr std::int64_t LineHeadLength = 18;
inline constexpr char16_t SinsuHeadOpener = u'T';
inline constexpr char16_t SinsuHeadCloser = u'\u2551';
inline constexpr char16_t KorHeadOpener = u'K';
inline constexpr char16_t KorHeadCloser = u';';
inline constexpr char16_t LineHeadPadding = u' ';

// The units a line head can open with; the text between two of them holds no head.
inline constexpr char16_t LineHeadOpeners[] = {SinsuHeadOpener, KorHeadOpener};

constexpr bool IsLineHeadOpener(char16_t c)
{
    return c == LineHeadOpeners[0] || c == LineHeadOpeners[1];
}

// The first unit of [first, last) that can open a head, or last.
inline const char16_t* FindLineHeadOpener(const char16_t* first, const char16_t* last)
{
#if VESKO3_UNIT_BLOCKS
    // A line's text holds none: it is passed a block at a time.
    for (; last - first >= UnitBlockSize; first += UnitBlockSize) {
        const TUnitBlock units = LoadUnitBlock(first);
        const int found = FirstSetLane((units == UnitBlockOf(SinsuHeadOpener)) | (units == UnitBlockOf(KorHeadOpener)));
        if (found < UnitBlockSize) return first + found;
    }
#endif
    return std::find_if(first, last, [](char16_t c) { return IsLineHeadOpener(c); });
}

// Whether a line head begins at p of units, whose first limit units are the loaded text: the
// closing unit must lie inside it. p must not be negative.
constexpr bool IsLineHeadAt(const char16_t* units, std::int64_t limit, std::int64_t p)
{
    const std::int64_t close = p + LineHeadLength - 1;
    return close < limit && ((units[p] == SinsuHeadOpener && units[close] == SinsuHeadCloser) ||
                             (units[p] == KorHeadOpener && units[close] == KorHeadCloser));
}

// The position after the head at p and the padding that follows it, at most end.
constexpr std::int64_t AfterLineHead(const char16_t* units, std::int64_t end, std::int64_t p)
{
    p += LineHeadLength;
    while (p < end && units[p] == LineHeadPadding)
        ++p;
    return p < end ? p : end;
}

// Walks the range [start, start + length) of the loaded text (its first textLength units) the
// way the views read it: onText(first, last) for each run of units kept, in order, and
// onHead(head, kept) for each line head dropped, where kept counts the units given to onText
// before it. Heads are recognised at every position; the closing unit may lie beyond the
// range but not beyond the loaded text. The unit right after a dropped head is kept as it
// stands, even when it opens a further head. The copy and the line references both walk
// through here, so that a line's position is where the copy puts its first unit.
template <typename OnText, typename OnHead>
void WalkHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start, std::int32_t length,
                     OnText&& onText, OnHead&& onHead)
{
    const char16_t* units = buffer.data();
    const std::int64_t limit = std::min<std::int64_t>(textLength, static_cast<std::int64_t>(buffer.size()));
    std::int64_t p = std::clamp<std::int64_t>(start, 0, limit);
    const std::int64_t end = std::clamp<std::int64_t>(std::int64_t(start) + std::max(length, 0), p, limit);
    std::int64_t kept = 0;
    while (p < end) {
        std::int64_t from = p;
        if (IsLineHeadAt(units, limit, p)) {
            onHead(p, kept);
            p = AfterLineHead(units, end, p);
            if (p >= end) break;
            from = p; // kept even when it opens a further head
        }
        // Everything from there before the next unit that can open a head goes in whole.
        const char16_t* next = FindLineHeadOpener(units + from + 1, units + end);
        onText(units + from, next);
        kept += next - (units + from);
        p = next - units;
    }
}

// The classical Chinese text of a range with its line heads removed, as WalkHanmoonText reads it.
std::u16string CopyHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                               std::int32_t length);

// The same text appended to out, for callers that build a larger text around it.
void AppendHanmoonText(std::u16string& out, std::span<const char16_t> buffer, std::int32_t textLength,
                       std::int32_t start, std::int32_t length);

// The same text written from out on through normalizer, its line breaks made one carriage
// return each as if the text were handed to normalizer.Write whole; returns the end. out
// must have room for length units. The units are read once, a block at a time, rather
// than walked and then normalised: the concordance makes the texts of the longest sutras
// each time it is filled.
char16_t* WriteHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                           std::int32_t length, TLineBreakNormalizer& normalizer, char16_t* out);
