#pragma once

// Reading the tables that Debian packages bring (libhangul's hanja.txt, Unihan's files), from
// which the demo set and the character file are made.

#include "util/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

inline constexpr std::string_view DefaultHanjaTable = "/usr/share/libhangul/hanja/hanja.txt";
inline constexpr std::string_view DefaultUnihanVariants = "/usr/share/unicode/Unihan_Variants.txt.bz2";
inline constexpr std::string_view DefaultUnihanReadings = "/usr/share/unicode/Unihan_Readings.txt.bz2";
// kRSUnicode and kTotalStrokes: Unihan keeps them among the sources since Unicode 13.
inline constexpr std::string_view DefaultUnihanStrokes = "/usr/share/unicode/Unihan_IRGSources.txt.bz2";

// Decompresses every bzip2 stream of compressed, one after another; false for damaged or cut-short input.
bool DecompressBzip2(const std::string& compressed, std::string& text);

// The bytes of the table at path, decompressed when its name ends in ".bz2". A missing or
// unreadable file names itself and the package that brings it.
TResult ReadTableFile(const std::filesystem::path& path, std::u16string_view package, std::string& text);
