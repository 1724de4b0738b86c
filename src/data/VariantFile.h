#pragma once

// Variant-character files VESKO3.H0 and VESKO3.H1.
//
// Layout: the 256-byte header (Magic 200702, Version 3, DataLength at offset 44), then
// DataLength UTF-16 units: groups of non-zero units, each ended by one 0 unit. CharIndex
// keeps group starts in 16 bits, so a file with a group starting beyond unit 65535 is
// rejected as damaged.

#include "data/DataFile.h"
#include "data/Vesko3Common.h"

#include <array>
#include <span>

TDataFileStatus ParseVariantFile(IDataSource& source, TVariantFile& file);
TDataFileStatus ParseVariantFile(std::span<const std::uint8_t> bytes, TVariantFile& file);

// Loads VESKO3.H0 or H1 into data.VariantFiles[fileIndex].
void LoadVariantFile(TLoadContext& context, TLoadedData& data, int fileIndex);

// Whether text character t counts as word character w: equal units always do; with
// variants allowed, so does every member of the last group that holds w in either file.
// Not symmetric: only w's group is consulted.
bool IsVariant(const std::array<TVariantFile, VariantFileCount>& files, char16_t t, char16_t w, bool variantsAllowed);
