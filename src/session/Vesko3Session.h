#pragma once

// Everything one run of the program holds, in one object that lives for the run and is
// passed to whoever reads it, so that every test builds its own: the settings record and the
// Data folder, the six loaded files, and the search state with the index prepared when the
// files were loaded. The window, vesko3-tool, the benchmarks and the tests' fixtures all
// load through LoadData, so that the files are read and the search prepared the same way
// everywhere.

#include "browse/LineIndex.h"
#include "data/DataFile.h"
#include "data/ParallelFile.h"
#include "data/Vesko3Common.h"
#include "search/SearchInfo.h"
#include "session/GlobalInfo.h"
#include "util/Messages.h"

#include <filesystem>
#include <memory>

struct TVesko3Session
{
    TGlobalInfo GlobalInfo;   // the settings record, the Data folder, whether loading failed
    TLoadedData Data;         // TextFiles, VariantFiles, ReadingFile
    TSearchInfo SearchInfo;   // the last search and the index of the loaded bodies
    TParallelTable Parallels; // the optional parallels file; empty when the set has none

    // Loads A0, A1, A2, H0, H1, C0 from GlobalInfo.DataPath in that order, each even after
    // another failed, with the failures through messages and the information lines through
    // listener; then, when every file is in, sizes the search's work arrays and indexes the
    // bodies; options say what is made beyond the records. Returns false when a file failed:
    // GlobalInfo.LoadError is set and the search is left unprepared.
    [[nodiscard]] bool LoadData(IMessages& messages, ILoadListener* listener = nullptr, TLoadOptions options = {});

    // The same from dataPath, which becomes GlobalInfo.DataPath.
    [[nodiscard]] bool LoadData(const std::filesystem::path& dataPath, IMessages& messages,
                                ILoadListener* listener = nullptr, TLoadOptions options = {});

    // Every line reference of the loaded Chinese texts, indexed at the first call after the
    // files are in: only going to a reference needs it.
    const TLineIndex& LineIndex();

private:
    std::unique_ptr<TLineIndex> Lines;
};
