// The window from its construction to its lists filled, on the demo set and on the shared
// corpus: with the files read on a thread of their own while the controls are built and shown
// (the yardstick), and read on the window's thread once it is first on the screen, whose time
// over the yardstick's is x_worker. WindowStartPair times the two starts in turn within each
// iteration, so that a machine whose load drifts weighs on both alike. The load driver alone
// on the same files is the floor.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

// Seconds per iteration with the worker, by data set.
std::map<std::string, double>& WorkerSeconds()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

void WindowToLoaded(benchmark::State& state, const fs::path& programFolder, const std::string& set, TLoadThread load)
{
    if (programFolder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        TBenchWindow window;
        const bool loaded = window.Open(programFolder, TWindowStart::Loaded, load);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        state.PauseTiming();
        window.Form.reset();
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("the window did not load the data set");
            return;
        }
    }
    seconds /= static_cast<double>(state.iterations());
    if (load == TLoadThread::Background) {
        WorkerSeconds()[set] = seconds;
    } else if (const auto worker = WorkerSeconds().find(set); worker != WorkerSeconds().end()) {
        state.counters["x_worker"] = seconds / worker->second;
    }
}

// Seconds from construction to the lists filled, or a negative number when the window did not load.
double TimedStart(const fs::path& programFolder, TLoadThread load)
{
    const auto begin = std::chrono::steady_clock::now();
    TBenchWindow window;
    const bool loaded = window.Open(programFolder, TWindowStart::Loaded, load);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    window.Form.reset();
    return loaded ? seconds : -1;
}

void WindowStartPair(benchmark::State& state, const fs::path& programFolder)
{
    if (programFolder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    double worker = 0, windowThread = 0;
    for (auto _ : state) {
        const double first = TimedStart(programFolder, TLoadThread::Background);
        const double second = TimedStart(programFolder, TLoadThread::Window);
        if (first < 0 || second < 0) {
            state.SkipWithError("the window did not load the data set");
            return;
        }
        worker += first;
        windowThread += second;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["worker_ms"] = worker * 1000 / iterations;
    state.counters["window_thread_ms"] = windowThread * 1000 / iterations;
    state.counters["x_worker"] = windowThread / worker;
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
    WindowToLoaded(state, ProgramFolderFor(DemoDataFolder(), "window-demo"), "demo", TLoadThread::Background);
}
void BM_WindowToLoadedOnWindowThread_Demo(benchmark::State& state)
{
    WindowToLoaded(state, ProgramFolderFor(DemoDataFolder(), "window-demo"), "demo", TLoadThread::Window);
}
void BM_LoadDriverOnly_Demo(benchmark::State& state)
{
    LoadDriverOnly(state, DemoDataFolder());
}
void BM_WindowToLoaded_Corpus(benchmark::State& state)
{
    WindowToLoaded(state, ProgramFolderFor(CorpusDataFolder(), "window-corpus"), "corpus", TLoadThread::Background);
}
void BM_WindowToLoadedOnWindowThread_Corpus(benchmark::State& state)
{
    WindowToLoaded(state, ProgramFolderFor(CorpusDataFolder(), "window-corpus"), "corpus", TLoadThread::Window);
}
void BM_WindowStartPair_Demo(benchmark::State& state)
{
    WindowStartPair(state, ProgramFolderFor(DemoDataFolder(), "window-demo"));
}
void BM_WindowStartPair_Corpus(benchmark::State& state)
{
    WindowStartPair(state, ProgramFolderFor(CorpusDataFolder(), "window-corpus"));
}
void BM_LoadDriverOnly_Corpus(benchmark::State& state)
{
    LoadDriverOnly(state, CorpusDataFolder());
}

BENCHMARK(BM_LoadDriverOnly_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoadedOnWindowThread_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDriverOnly_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoadedOnWindowThread_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowStartPair_Demo)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_WindowStartPair_Corpus)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    return RunUiBenchmarks(argc, argv);
}
