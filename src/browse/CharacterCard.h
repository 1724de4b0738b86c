#pragma once

// What the reader is told about one Han character: its entry of the character file, the other
// members of its variant groups and how often each Chinese edition has it. `vesko3-tool char`
// prints it; the window's character panel shows the same.

#include "data/Vesko3Common.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TCharacterCard
{
    char32_t Character = 0;
    const TCharacterInfo* Info = nullptr; // nullptr when the character file has no entry
    std::u16string Readings;              // the conversion's reading first, then the others in order
    std::u16string Variants;              // the other members of its groups: file 0, then file 1, in file order
    std::int64_t KorCount = 0;            // occurrences in the 고려대장경 bodies
    std::int64_t SinsuCount = 0;          // and in the 신수대장경 bodies
};

TCharacterCard MakeCharacterCard(const TLoadedData& data, char32_t c);

// The distinct Han characters of text, in the order they first occur.
std::vector<char32_t> DistinctHanCharacters(std::u16string_view text);

// How often c occurs in the bodies of a loaded text file.
std::int64_t CountCharacter(const TVesko_File& file, char32_t c);

// The other members of every variant group holding c, file 0 then file 1, each once, in file order.
std::u16string VariantMembers(const TLoadedData& data, char32_t c);
