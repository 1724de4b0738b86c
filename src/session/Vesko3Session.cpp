#include "session/Vesko3Session.h"

#include "data/LoadDriver.h"
#include "search/SearchWords.h"

bool TVesko3Session::LoadData(IMessages& messages, ILoadListener* listener, TLoadOptions options)
{
    GlobalInfo.LoadError = false;
    TLoadContext context{GlobalInfo.DataPath, messages, GlobalInfo.LoadError, listener, options};
    if (!LoadAllDataFiles(context, Data)) return false;
    PrepareSearch(SearchInfo, Data);
    return true;
}

bool TVesko3Session::LoadData(const std::filesystem::path& dataPath, IMessages& messages, ILoadListener* listener,
                              TLoadOptions options)
{
    GlobalInfo.DataPath = dataPath;
    return LoadData(messages, listener, options);
}
