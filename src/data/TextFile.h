#pragma once

// Scripture text files VESKO3.A0 (Korean), A1 (고려대장경) and A2 (신수대장경).
//
// Layout after the 256-byte header (Magic 200700, Version 3), each region found only
// through its header offset, in any order:
//   sutra table   at SuttaTableOffset: SuttaCount entries of 232 bytes (TSuttaEntry)
//   subject table at JoojeTableOffset: JoojeCount entries of 68 + 4 * Count bytes
//   text area     at TextOffset:       TextLength UTF-16 units
//
// Damaged data are rejected whole, never half-read: a region beyond the file or beyond the
// 2 GB that 32-bit offsets reach, a negative count, offset or length, more than 2500 sutras
// or 5000 subjects, a subject of more than 300 sutras, a range outside the text area, and in
// file 0 an entry whose Number is not its position or a subject index outside the table.

#include "data/DataFile.h"
#include "data/Vesko3Common.h"

#include <span>

// Parses a whole text file. fileIndex 0 is the catalogue file; files 1 and 2 must hold at
// least file0SuttaCount sutras. On any status but Ok, file is left untouched.
TDataFileStatus ParseTextFile(IDataSource& source, int fileIndex, std::int32_t file0SuttaCount, TVesko_File& file);
TDataFileStatus ParseTextFile(std::span<const std::uint8_t> bytes, int fileIndex, std::int32_t file0SuttaCount,
                              TVesko_File& file);

// Entry indexes sorted by the Korean-locale, case-insensitive order of their names as code
// page 949 shows them; equal names keep table order.
TNamePositions MakeNameOrder(const TVesko_SuttaTable& table);

// Makes the file's name order now, in place of any kept before.
void BuildNameOrder(TVesko_File& file);

// The file's name order: the one kept, or made now and kept.
const TNamePositions& NameOrderOf(const TVesko_File& file);

// Loads VESKO3.A0, A1 or A2 into data.TextFiles[fileIndex]; on failure the record stays
// empty and context.LoadError is set.
void LoadTextFile(TLoadContext& context, TLoadedData& data, int fileIndex);
