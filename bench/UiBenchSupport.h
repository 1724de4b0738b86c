#pragma once

// What the window benchmarks share: a shell that never blocks the run, a program folder over
// a data set, a window started the way the program starts it, and main's offscreen setup.

#include "window/AppShell.h"
#include "window/Unit1.h"
#include "session/Vesko3Session.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// Message boxes go to standard error (Print) or nowhere (Quiet) instead of waiting for a click.
class TBenchShell : public IAppShell
{
public:
    enum class TMode
    {
        Print,
        Quiet,
    };

    explicit TBenchShell(TMode mode = TMode::Print) : Mode(mode) {}

    void Show(const std::u16string& text, const std::u16string& caption) override;
    void ShowAppMessage(const std::u16string& text) override;
    void RequestExit(int) override { Requested = true; }
    bool ExitRequested() const override { return Requested; }
    int ExitCode() const override { return 0; }

private:
    TMode Mode;
    bool Requested = false;
};

// A program folder named name in the run's scratch folder whose Data entry links dataFolder,
// as the window expects it; empty when dataFolder is empty or the folder cannot be made.
std::filesystem::path ProgramFolderFor(const std::filesystem::path& dataFolder, std::string_view name);

enum class TWindowStart
{
    Created, // constructed and its loading waited for, never shown: the lists stay empty
    Loaded,  // shown, and the event loop run until the data are loaded
};

struct TBenchWindow
{
    explicit TBenchWindow(TBenchShell::TMode mode = TBenchShell::TMode::Print) : Shell(mode) {}

    // Creates the window over programFolder and, for Loaded, shows it and waits for the data;
    // false when programFolder is empty or the window ended the program.
    bool Open(const std::filesystem::path& programFolder, TWindowStart start);

    TVesko3Session State;
    TBenchShell Shell;
    std::unique_ptr<TMainForm> Form; // last, so that it goes first
};

// main of a window benchmark: the offscreen platform unless one is set, the application,
// then the benchmarks. cleanup runs after them while the application still exists, for the
// windows a benchmark keeps across runs.
// Whether every text view on the current tab has laid out its whole text: the views on show
// lay out the rest in steps after their first screens.
bool ShownViewsLaidOut(const TMainForm& form);

int RunUiBenchmarks(int argc, char** argv, const std::function<void()>& cleanup = {});

// The control of form named name, of type T; a missing one ends the run with its name.
template <typename T> T* Widget(const QObject& form, const char* name)
{
    T* found = form.findChild<T*>(name);
    if (found == nullptr) throw std::runtime_error(std::string("no control named ") + name);
    return found;
}
