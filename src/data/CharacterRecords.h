#pragma once

// The in-memory form of the optional character file VESKO3.J0 (its layout: CharacterFile.h).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t CharacterFileMagic = 200703;
inline constexpr std::u16string_view CharacterFileName = u"VESKO3.J0";

struct TCharacterInfo
{
    char32_t Character = 0;
    std::u16string Readings;             // one Hangul syllable each: hanja.txt's order, then Unihan's, then ours
    std::int32_t ConversionReading = -1; // the reading the conversion gives, as an index into Readings
    std::u16string Gloss;                // 훈: hanja.txt's comments for the character, "부처 불"
    std::u16string Meaning;              // Unihan kDefinition
    std::u16string Radical;              // Unihan kRSUnicode: radical and extra strokes, "135.2"
    std::int32_t TotalStrokes = 0;       // Unihan kTotalStrokes; 0 unknown
    bool operator==(const TCharacterInfo&) const = default;
};

struct TCharacterFile
{
    bool Loaded = false;
    std::vector<TCharacterInfo> Characters; // ascending by Character
};
