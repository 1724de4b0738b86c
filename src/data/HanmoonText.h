#pragma once

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

// The classical Chinese text of a range with its line heads removed. Heads are recognised at
// every position; the closing unit may lie beyond the range but not beyond the loaded text
// (textLength). The unit right after a dropped head is taken as it stands, even when it
// opens a further head.
std::u16string CopyHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                               std::int32_t length);

// The same text appended to out, for callers that build a larger text around it.
void AppendHanmoonText(std::u16string& out, std::span<const char16_t> buffer, std::int32_t textLength,
                       std::int32_t start, std::int32_t length);
