// The window from its construction to the data loaded, on the demo set and on the shared
// corpus, against the load driver alone on the same files as the baseline.

#include "BenchData.h"

#include "app/AppShell.h"
#include "app/Unit1.h"
#include "util/TextCodec.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

namespace fs = std::filesystem;

// Message boxes go to standard error instead of blocking the run.
class TBenchShell : public IAppShell
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override
    {
        std::fprintf(stderr, "%s: %s\n", Utf16ToUtf8(caption).c_str(), Utf16ToUtf8(text).c_str());
    }
    void ShowAppMessage(const std::u16string& text) override { Show(text, std::u16string(AppTitle)); }
    void RequestExit(int exitCode) override { Requested = true; }
    bool ExitRequested() const override { return Requested; }
    int ExitCode() const override { return 0; }

private:
    bool Requested = false;
};

// A program folder whose Data entry is the data set, as the window expects it.
fs::path ProgramFolderFor(const fs::path& dataFolder, std::string_view name)
{
    if (dataFolder.empty()) return {};
    const fs::path program = BenchScratchFolder(name);
    std::error_code error;
    fs::create_directories(program, error);
    if (!fs::exists(program / "Data", error)) fs::create_directory_symlink(dataFolder, program / "Data", error);
    return error ? fs::path() : program;
}

void WindowToLoaded(benchmark::State& state, const fs::path& programFolder)
{
    if (programFolder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    for (auto _ : state) {
        TVesko3State vesko;
        TBenchShell shell;
        auto form = std::make_unique<TMainForm>(vesko, shell, programFolder);
        form->show();
        while (!form->DataLoaded() && !shell.ExitRequested())
            QCoreApplication::processEvents();
        state.PauseTiming();
        const bool failed = shell.ExitRequested();
        form.reset();
        state.ResumeTiming();
        if (failed) {
            state.SkipWithError("the window did not load the data set");
            return;
        }
    }
}

void LoadDriverOnly(benchmark::State& state, const fs::path& dataFolder)
{
    if (dataFolder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    for (auto _ : state) {
        TVesko3State vesko;
        if (!LoadBenchData(dataFolder, vesko)) {
            state.SkipWithError("the data set did not load");
            return;
        }
    }
}

void BM_WindowToLoaded_Demo(benchmark::State& state)
{
    WindowToLoaded(state, ProgramFolderFor(DemoDataFolder(), "window-demo"));
}
void BM_LoadDriverOnly_Demo(benchmark::State& state)
{
    LoadDriverOnly(state, DemoDataFolder());
}
void BM_WindowToLoaded_Corpus(benchmark::State& state)
{
    WindowToLoaded(state, ProgramFolderFor(CorpusDataFolder(), "window-corpus"));
}
void BM_LoadDriverOnly_Corpus(benchmark::State& state)
{
    LoadDriverOnly(state, CorpusDataFolder());
}

BENCHMARK(BM_LoadDriverOnly_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDriverOnly_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Corpus)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
