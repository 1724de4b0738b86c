#pragma once

// The straightforward matcher: it decides whether a text qualifies under the words of the
// last search and marks every character of every occurrence. The hit display relies on
// its marks; the scan of the whole collection uses the faster FastMatcher, which must
// reach the same decisions.

#include "data/Vesko3Common.h"
#include "search/SearchInfo.h"
#include "util/TextLines.h"

#include <array>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

using TVariantFiles = std::array<TVariantFile, VariantFileCount>;

// What a Chinese search word and a Chinese text are read without: line feed, carriage
// return, space, ideographic space, 。 and ．; nothing else.
inline constexpr char16_t IgnorableChars[] = {u'\n', u'\r', u' ', u'\u3000', u'\u3002', u'\uFF0E'};

// One comparison per character of the set, written out by the compiler: the index of the
// search reads every unit of every body through this.
template <std::size_t... I> constexpr bool IsIgnorableChar(char16_t c, std::index_sequence<I...>)
{
    return ((c == IgnorableChars[I]) || ...);
}

constexpr bool IsIgnorableChar(char16_t c)
{
    return IsIgnorableChar(c, std::make_index_sequence<std::size(IgnorableChars)>());
}

// Whether the matcher steps over c: line breaks in the Korean text, every ignorable
// character in the Chinese texts.
constexpr bool IsSkippedChar(char16_t c, std::int32_t titleIndex)
{
    return titleIndex == HanCanon ? (c == u'\n' || c == u'\r') : IsIgnorableChar(c);
}

// Variant forms count only in a Chinese text and with the option on.
bool VariantsAllowed(const TSearchInfo& info);

// Makes sure the work arrays can describe a text of length units. The loader sizes them
// for the longest text; a longer one (a file whose TextSize understates a body) grows them
// instead of writing past their end.
void EnsureSearchWork(TSearchInfo& info, std::size_t length);

// Positions (from 1) of the characters of text that the matcher does not skip.
void BuildPositions(TSearchInfo& info, std::u16string_view text);

// Calls found with the index into Positions of the first character of every occurrence of
// word in text, in text order, and returns how many there were. BuildPositions must have
// run over text; word is matched under info's canon and variant option.
std::int32_t ForEachOccurrence(const TSearchInfo& info, const TVariantFiles& variants, std::u16string_view text,
                               std::u16string_view word, const std::function<void(std::int32_t first)>& found);

// Marks[p] holds MarkedChar for a character of an occurrence, and JoinedToNextMark too when the
// occurrence goes on at the next character the matcher does not skip (which may stand after a
// line break), so that an occurrence broken by a line break is known as one.
inline constexpr std::uint8_t MarkedChar = 1;
inline constexpr std::uint8_t JoinedToNextMark = 2;

// Whether text qualifies; sets Positions, PositionCount, Marks and OccurrenceCount.
bool MatchText(TSearchInfo& info, const TVariantFiles& variants, std::u16string_view text);

// Every line break (CR LF, LF CR, a lone CR or LF) becomes one carriage return, so that
// positions count a line break as one character, as the text views do (TLineBreakNormalizer
// in TextLines.h, for a text made in pieces).
void NormalizeLineBreaks(std::u16string& text);
