// The window from its construction to the data loaded, on the demo set and on the shared
// corpus, against the load driver alone on the same files as the baseline.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

namespace fs = std::filesystem;

void WindowToLoaded(benchmark::State& state, const fs::path& programFolder)
{
    if (programFolder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    for (auto _ : state) {
        TBenchWindow window;
        const bool loaded = window.Open(programFolder, TWindowStart::Loaded);
        state.PauseTiming();
        window.Form.reset();
        state.ResumeTiming();
        if (!loaded) {
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
        TVesko3Session vesko;
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
    return RunUiBenchmarks(argc, argv);
}
