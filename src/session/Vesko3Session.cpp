#include "session/Vesko3Session.h"

#include "data/LoadDriver.h"
#include "search/SearchWords.h"

bool TVesko3Session::LoadData(IMessages& messages, ILoadListener* listener, TLoadOptions options)
{
    GlobalInfo.LoadError = false;
    Lines.reset();
    Parallels = {};
    TLoadContext context{GlobalInfo.DataPath, messages, GlobalInfo.LoadError, listener, options};
    if (!LoadAllDataFiles(context, Data)) return false;
    PrepareSearch(SearchInfo, Data);
    LoadParallelFile(GlobalInfo.DataPath, Data.TextFiles[HanFamily].SuttaTable.Count, messages, Parallels);
    return true;
}

bool TVesko3Session::LoadData(const std::filesystem::path& dataPath, IMessages& messages, ILoadListener* listener,
                              TLoadOptions options)
{
    GlobalInfo.DataPath = dataPath;
    return LoadData(messages, listener, options);
}

const TLineIndex& TVesko3Session::LineIndex()
{
    if (!Lines) Lines = std::make_unique<TLineIndex>(Data);
    return *Lines;
}
