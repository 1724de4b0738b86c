#pragma once

// Everything the program holds for the whole run, in one object that is passed to whoever
// reads it, so that every test can build its own.

#include "session/GlobalInfo.h"
#include "data/Vesko3Common.h"
#include "search/SearchInfo.h"

struct TVesko3State
{
    TGlobalInfo GlobalInfo;
    TLoadedData Data; // TextFiles, VariantFiles, ReadingFile
    TSearchInfo SearchInfo;
};
