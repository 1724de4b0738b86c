#pragma once

// Recorders standing in for the window: the message boxes the core asked for and the
// lines and events the loaders reported, in order.

#include "data/DataFile.h"
#include "session/Vesko3Session.h"
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

// A session loaded from a folder, with everything the loading reported.
struct TLoadRun
{
    explicit TLoadRun(const std::filesystem::path& folder) { Loaded = Session.LoadData(folder, Messages, &Listener); }
    TLoadRun(const TLoadRun&) = delete;
    TLoadRun& operator=(const TLoadRun&) = delete;

    TRecordingMessages Messages;
    TRecordingListener Listener;
    TVesko3Session Session;
    bool Loaded = false;
    const bool& LoadError = Session.GlobalInfo.LoadError;
    TLoadedData& Data = Session.Data;
};
