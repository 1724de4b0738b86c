#pragma once

// The load driver: the six loaders in their fixed order, each run even after another failed.

#include "data/DataFile.h"
#include "data/Vesko3Common.h"

// Loads A0, A1, A2, H0, H1, C0 in that order, then the optional J0, whose failure is told but
// fails nothing. Returns false when any of them failed; its
// message has been shown and context.LoadError is set. A data folder that is a file or cannot
// be read fails with one message naming it, and no file is tried.
bool LoadAllDataFiles(TLoadContext& context, TLoadedData& data);

// The largest TextSize over every sutra entry of the three text files, 0 when there are none.
std::int32_t LargestTextSize(const TLoadedData& data);
