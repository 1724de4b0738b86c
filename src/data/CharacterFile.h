#pragma once

// The character file VESKO3.J0: what the reader is told about each Han character of the data
// set. Unlike the six files it is optional: a data set without it loads as before, and a
// damaged one is reported by name and left out while everything else loads.
//
// Layout: the 256-byte header (Magic 200703, Version 3, DataLength at offset 44 counting the
// body in 16-bit units, creation date as in the other files), then the body:
//
//   int32 Count                       characters, strictly ascending by code point
//   Count entries of 28 bytes:        int32 Character (a code point, no surrogate)
//                                     int32 ConversionReading (index into the readings, -1 none)
//                                     int32 TotalStrokes (0 unknown)
//                                     int32 ReadingsLength, GlossLength, MeaningLength, RadicalLength
//   the text area: UTF-16 units, each entry's readings, gloss, meaning and radical one after
//   another in entry order; it holds exactly the sum of the lengths.
//
// A reading is one Hangul syllable, so the readings field is the syllables one after another.
// Every count and length is checked against the body before anything is allocated for it.

#include "data/CharacterRecords.h"
#include "data/DataFile.h"
#include "data/DataWriter.h"
#include "data/Vesko3Common.h"
#include "util/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t CharacterEntrySize = 28;
inline constexpr std::int32_t MaxTotalStrokes = 255;

// The entry of c, or nullptr when the file has none.
const TCharacterInfo* FindCharacter(const TCharacterFile& file, char32_t c);

// The readings as `char` prints them: the conversion's first, then the others in order.
std::vector<char16_t> ReadingsConversionFirst(const TCharacterInfo& info);

// Whether a unit is a Hangul syllable, the only thing a reading may be.
constexpr bool IsHangulSyllable(char16_t c)
{
    return c >= u'\uAC00' && c <= u'\uD7A3';
}

// Whether c is a Han ideograph: the CJK Unified Ideographs with their extensions, the
// compatibility ideographs and 〇.
constexpr bool IsHanCharacter(char32_t c)
{
    return c == 0x3007 || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F);
}

// Success when characters fit the format: ascending, each reading a syllable, every value in range.
TResult CheckCharacterTable(const std::vector<TCharacterInfo>& characters);

// The bytes of the file for characters (ascending, as the format requires).
std::vector<std::uint8_t> SerializeCharacterFile(const std::vector<TCharacterInfo>& characters,
                                                 const TCreationDate& date);

TDataFileStatus ParseCharacterFile(IDataSource& source, TCharacterFile& file);
TDataFileStatus ParseCharacterFile(std::span<const std::uint8_t> bytes, TCharacterFile& file);

inline constexpr std::u16string_view CharacterFileLeftOutText = u"글자 정보 없이 계속합니다.";
// What a step that needs the file says of a data set without it.
std::u16string CharacterFileMissingText();

// Loads VESKO3.J0 into data.CharacterFile when the data folder has one. A file that fails is
// told through the messages, naming it, and left out; it never sets LoadError.
void LoadCharacterFile(TLoadContext& context, TLoadedData& data);
