#pragma once

// Writes the six data files from in-memory sources, byte for byte in the layout the
// loaders read: uninterpreted ranges zero, CatalogueFlag 0 in file 0 and 1 in files 1 and
// 2, TextSize equal to BodyLength, each variant file starting with one 0 unit so that a
// character in no group has no variants.

#include "util/Result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct TSourceSutta
{
    std::int32_t Kind = 1;
    std::u16string Title; // at most 32 units
    std::u16string Name;  // at most 32 units
    std::u16string HanBody, HanSubject, HanSummary;
    std::u16string KorBody;
    std::u16string SinsuBody;
};

struct TSourceSubject
{
    std::u16string Name;              // at most 32 units
    std::vector<std::int32_t> Suttas; // 0-based catalogue positions, at most 300
};

struct TDataSetSource
{
    std::vector<TSourceSutta> Suttas; // catalogue order
    std::vector<TSourceSubject> Subjects;
    std::vector<char16_t> Readings;               // entry c is the reading of unit c; 0 for none
    std::vector<std::u16string> VariantGroups[2]; // H0, H1: each group its characters in order
};

struct TCreationDate
{
    std::int32_t Year = 2007, Month = 11, Day = 5, Hour = 0, Minute = 0, Second = 0;
};

// Success when the source fits the format; otherwise what is wrong with it.
TResult CheckDataSetSource(const TDataSetSource& source);

// The bytes of a text file of suttaCount entries, subjects whose table takes subjectBytes and
// a text area of textUnits, summed without overflow; the format holds at most 2 GB.
std::uint64_t TextFileSize(std::uint64_t suttaCount, std::uint64_t subjectBytes, std::uint64_t textUnits);

std::vector<std::uint8_t> SerializeTextFile(const TDataSetSource& source, int fileIndex, const TCreationDate& date);
std::vector<std::uint8_t> SerializeVariantFile(const std::vector<std::u16string>& groups);
std::vector<std::uint8_t> SerializeReadingFile(const std::vector<char16_t>& table);

// Writes the six files into folder (created when missing) as one set: they are written into a
// staging folder beside it, which takes folder's place only when all six are written, so that
// a failure or a killed process leaves the old set or the new one whole. Entries of the old
// folder other than data files ("VESKO3.*") are kept; a subfolder there makes the
// replacement fail. On failure the message says what failed.
TResult WriteDataSet(const TDataSetSource& source, const TCreationDate& date, const std::filesystem::path& folder);
