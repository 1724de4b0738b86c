#pragma once

// A demo data set at the scale of the real collections, made from real tables this machine
// has: readings and Sino-Korean words from libhangul's hanja.txt, variant groups from
// Unihan's variant fields. The scripture texts are runs of real words: the Chinese editions
// with 18-unit line heads ("K" + 16 + ";" and "T" + 16 + "║"), the Korean text the Hangul
// reading of the same words. The same seed and count always give the same set, on any host.

#include "data/DataWriter.h"
#include "util/Result.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t DefaultDemoSuttaCount = 2000;
inline constexpr std::uint64_t DefaultDemoSeed = 1;
inline constexpr std::string_view DefaultHanjaTable = "/usr/share/libhangul/hanja/hanja.txt";
inline constexpr std::string_view DefaultUnihanVariants = "/usr/share/unicode/Unihan_Variants.txt.bz2";

struct TDemoOptions
{
    std::uint64_t Seed = DefaultDemoSeed;
    std::int32_t SuttaCount = DefaultDemoSuttaCount; // 1 to 2500
    std::filesystem::path HanjaTable{std::string(DefaultHanjaTable)};
    std::filesystem::path UnihanVariants{std::string(DefaultUnihanVariants)}; // bzip2-compressed
};

// Makes the demo set into source. On failure the message tells what went wrong (a missing
// or unreadable table names its file and the package that brings it).
TResult MakeDemoDataSet(const TDemoOptions& options, TDataSetSource& source);

// The variant groups of Unihan_Variants.txt text: element 0 links kZVariant, kSemanticVariant
// and kSpecializedSemanticVariant, element 1 kTraditionalVariant and kSimplifiedVariant. Each
// group is one connected set of BMP characters in ascending order; groups are ordered by their
// first character. Links to or from characters outside the BMP are left out.
std::array<std::vector<std::u16string>, 2> UnihanVariantGroups(std::string_view unihanText);
