#pragma once

// The reading table VESKO3.C0.
//
// Layout: the 256-byte header (Magic 200701, Version 3, DataLength at offset 44), then
// DataLength UTF-16 units; unit c is the Korean reading of code unit c.

#include "data/DataFile.h"
#include "data/Vesko3Common.h"

#include <span>

TDataFileStatus ParseReadingFile(IDataSource& source, TReadingFile& file);
TDataFileStatus ParseReadingFile(std::span<const std::uint8_t> bytes, TReadingFile& file);

// Loads VESKO3.C0 into data.ReadingFile.
void LoadReadingFile(TLoadContext& context, TLoadedData& data);
