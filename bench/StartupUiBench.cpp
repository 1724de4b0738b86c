// The window from its construction to the data loaded, on the demo set, on the shared corpus
// and on ten times its text (against the corpus: x_corpus, wall time; the catalogue is the
// same, so only the texts make the difference), against the load driver alone on the same
// files as the baseline.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

namespace fs = std::filesystem;

// Seconds per iteration of the window over the corpus, for the scaled corpus's ratio to it.
double& CorpusWindowSeconds()
{
    static double seconds = 0;
    return seconds;
}

// Times the window to loaded over programFolder and gives the seconds per iteration.
double WindowToLoaded(benchmark::State& state, const fs::path& programFolder)
{
    if (programFolder.empty()) {
        state.SkipWithError("data set not available");
        return 0;
    }
    std::chrono::steady_clock::duration timed{};
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        TBenchWindow window;
        const bool loaded = window.Open(programFolder, TWindowStart::Loaded);
        timed += std::chrono::steady_clock::now() - begin;
        state.PauseTiming();
        window.Form.reset();
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("the window did not load the data set");
            return 0;
        }
    }
    return std::chrono::duration<double>(timed).count() / static_cast<double>(state.iterations());
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
    CorpusWindowSeconds() = WindowToLoaded(state, ProgramFolderFor(CorpusDataFolder(), "window-corpus"));
}
void BM_WindowToLoaded_ScaledCorpus(benchmark::State& state)
{
    const double seconds = WindowToLoaded(state, ProgramFolderFor(ScaledCorpusDataFolder(), "window-corpus10"));
    if (CorpusWindowSeconds() > 0 && seconds > 0) state.counters["x_corpus"] = seconds / CorpusWindowSeconds();
}
void BM_LoadDriverOnly_Corpus(benchmark::State& state)
{
    LoadDriverOnly(state, CorpusDataFolder());
}

BENCHMARK(BM_LoadDriverOnly_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDriverOnly_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_ScaledCorpus)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunUiBenchmarks(argc, argv);
}
