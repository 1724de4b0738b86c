#pragma once

// Search by Korean reading: with the option on and a Chinese canon chosen, a Hangul syllable
// of a word stands for every character that has it among its readings in the character file
// (the Buddhist ones included), so that 사리불 finds 舍利弗. The matchers take each such
// syllable as the set of characters it stands for, with their variant forms when those count,
// and otherwise scan as for any word: skipped characters and line heads are stepped over alike.
//
// The matchers compare one UTF-16 unit per character, so only characters of the basic plane
// are found by reading; a syllable also still matches itself, as every character does.

#include "data/Vesko3Common.h"
#include "search/SearchInfo.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Per Hangul syllable, the characters of the basic plane reading so, ascending.
struct TReadingIndex
{
    std::vector<std::uint32_t> Starts; // syllable s has Characters[Starts[s - 가], Starts[s - 가 + 1])
    std::vector<char16_t> Characters;
};

TReadingIndex BuildReadingIndex(const TCharacterFile& file);

// The characters reading syllable, empty for anything else.
std::span<const char16_t> CharactersReading(const TReadingIndex& index, char16_t syllable);

// Whether the words of info are read by reading: the option on, a Chinese canon and an index.
bool ReadingSearchActive(const TSearchInfo& info);

// Appends to out the characters besides unit that the word's unit accepts through its reading
// (nothing unless ReadingSearchActive and unit is a syllable): those reading it and, when
// variants count, the members of the last group holding each in either file, as IsVariant
// walks them. May repeat characters.
void AppendReadingClass(const TSearchInfo& info, const std::array<TVariantFile, VariantFileCount>& variants,
                        char16_t unit, std::vector<char16_t>& out);
