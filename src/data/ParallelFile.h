#pragma once

// The parallels file VESKO3.P0: for each sutra, its parallels in other collections (Pāli
// suttas, other Chinese texts, other sutras of the data set). It is optional: a data set
// without it simply has no parallels, and a damaged one is reported and left out while the
// rest of the data set loads as always.
//
// Layout: the 256-byte header (Magic 200703, Version 3, DataLength at offset 44), then
// DataLength UTF-16 units holding the rows one after another, each
//
//   unit 0       the sutra's catalogue number (1-based); rows are in ascending number order
//   unit 1       the relation: 0 full, 1 partial, 2 resembling
//   unit 2       the parallel's catalogue number when it is a sutra of the data set, else 0
//   unit 3       the length of the id (1 to MaxParallelFieldUnits), then the id's units
//   next unit    the length of the label (1 to MaxParallelFieldUnits), then the label's units
//
// The rows fill the units exactly; numbers beyond the catalogue, an unknown relation, a
// length out of range, a row cut short or rows out of number order make the file damaged.
// Within one sutra the rows keep the order of the source they were built from.

#include "data/DataFile.h"
#include "util/Messages.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t ParallelFileMagic = 200703;
inline constexpr std::u16string_view ParallelFileName = u"VESKO3.P0";
inline constexpr std::size_t MaxParallelFieldUnits = 64;
inline constexpr std::size_t ParallelRowFixedUnits = 5; // number, relation, corpus and the two lengths

enum class TParallelRelation : std::uint8_t
{
    Full = 0,
    Partial = 1,
    Resembling = 2,
};
inline constexpr int ParallelRelationCount = 3;

// The relations as the source file and the tool write them.
inline constexpr std::string_view ParallelRelationNames[ParallelRelationCount] = {"full", "partial", "resembling"};

struct TParallel
{
    std::int32_t Sutta = 0; // 0-based catalogue position
    TParallelRelation Relation = TParallelRelation::Full;
    std::int32_t Corpus = -1; // 0-based catalogue position of the parallel, -1 when outside the data set
    std::u16string Id;        // "sn46.24"
    std::u16string Label;     // "SN 46.24"
};

struct TParallelTable
{
    bool Present = false;        // whether the data set has a parallels file that loaded
    std::vector<TParallel> Rows; // by sutra, each sutra's rows in source order

    // The rows of catalogue position n; empty for a sutra without parallels.
    std::span<const TParallel> Of(std::int32_t n) const;
};

// The file's bytes for rows (sorted by sutra, source order kept within one); rows must fit
// the format (CheckParallels).
std::vector<std::uint8_t> SerializeParallelFile(const std::vector<TParallel>& rows);

// Empty when rows fit the format for a catalogue of suttaCount sutras; else what does not.
std::u16string CheckParallels(const std::vector<TParallel>& rows, std::int32_t suttaCount);

TDataFileStatus ParseParallelFile(IDataSource& source, std::int32_t suttaCount, TParallelTable& table);
TDataFileStatus ParseParallelFile(std::span<const std::uint8_t> bytes, std::int32_t suttaCount, TParallelTable& table);

// Loads VESKO3.P0 from dataPath, for a catalogue of suttaCount sutras. An absent file leaves
// the table empty without a word; any other failure is shown through messages, naming the
// file, and leaves the table empty too.
void LoadParallelFile(const std::filesystem::path& dataPath, std::int32_t suttaCount, IMessages& messages,
                      TParallelTable& table);
