#pragma once

// Recorders standing in for the window: the message boxes the core asked for and the
// lines and events the loaders reported, in order.

#include "data/DataFile.h"
#include "data/LoadDriver.h"
#include "util/Messages.h"

#include <filesystem>
#include <string>
#include <vector>

struct TRecordedMessage
{
    std::u16string Text;
    std::u16string Caption;
};

class TRecordingMessages : public IMessages
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override { Shown.push_back({text, caption}); }

    std::vector<TRecordedMessage> Shown;
};

class TRecordingListener : public ILoadListener
{
public:
    void AppendInfoLine(const std::u16string& line) override { InfoLines.push_back(line); }
    void CatalogueLoaded() override { ++CatalogueLoads; }

    std::vector<std::u16string> InfoLines;
    int CatalogueLoads = 0;
};

// One run of the load driver over a folder, with everything it reported.
struct TLoadRun
{
    explicit TLoadRun(const std::filesystem::path& folder)
    {
        TLoadContext context{folder, Messages, LoadError, &Listener};
        Loaded = LoadAllDataFiles(context, Data);
    }

    TRecordingMessages Messages;
    TRecordingListener Listener;
    bool LoadError = false;
    bool Loaded = false;
    TLoadedData Data;
};
