#pragma once

// Making the character file's entries for a data set from the tables this machine has:
// libhangul's hanja.txt (readings and glosses), Unihan's kHangul and kDefinition
// (Unihan_Readings) and kRSUnicode and kTotalStrokes (Unihan_IRGSources), plus our own table
// of the readings Buddhist texts give some characters. Every Han character of the texts and
// the variant groups gets an entry, even when no table knows it.

#include "data/CharacterRecords.h"
#include "data/DataWriter.h"
#include "data/TableFiles.h"
#include "util/Result.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TCharacterTables
{
    std::filesystem::path HanjaTable{std::string(DefaultHanjaTable)};
    std::filesystem::path UnihanReadings{std::string(DefaultUnihanReadings)};
    std::filesystem::path UnihanStrokes{std::string(DefaultUnihanStrokes)};
};

// The distinct Han characters of every text and variant group of source, ascending.
std::vector<char32_t> DataSetHanCharacters(const TDataSetSource& source);

// A Buddhist reading of our own table: the character and the reading the texts give it.
struct TBuddhistReading
{
    char32_t Character;
    char16_t Reading;
};
std::span<const TBuddhistReading> BuddhistReadings();

// The entries of characters (ascending) from the tables' texts: hanjaText decoded from
// hanja.txt, the Unihan files' UTF-8 texts; conversion is the data set's reading table.
std::vector<TCharacterInfo> BuildCharacterTable(const std::vector<char32_t>& characters, std::u16string_view hanjaText,
                                                std::string_view unihanReadings, std::string_view unihanStrokes,
                                                const std::vector<char16_t>& conversion);

// Reads the tables and fills source.Characters for source's texts and groups. On failure
// (a table missing or damaged) the message names the file and source.Characters is empty.
TResult AddCharacterTable(const TCharacterTables& tables, TDataSetSource& source);
