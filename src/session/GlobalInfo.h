#pragma once

#include "session/Settings.h"

#include <filesystem>

struct TGlobalInfo
{
    TSettings Settings;
    std::filesystem::path DataPath; // the program folder followed by "Data"
    bool LoadError = false;
};
