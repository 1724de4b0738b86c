// The window from its construction to the data loaded, on the demo set, on the shared corpus
// and on ten times its text (against the corpus: x_corpus, wall time; the catalogue is the
// same, so only the texts make the difference), against the load driver alone on the same
// files as the baseline; and from its construction to the order list painted with its rows,
// on the corpus and on ten times its text (x_corpus again, and x_corpus_cpu in the process's
// processor time, which another program busy on the machine disturbs less).

#include "BenchData.h"
#include "UiBenchSupport.h"

#include "window/widgets/Grid.h"

#include <QCoreApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>
#include <vector>

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

// Seconds per iteration to the lists painted, in wall and in processor time.
struct TListsTimes
{
    double Wall = 0;
    double Processor = 0;
};

// The corpus's, one per repetition, for the scaled corpus's ratios to their medians: a
// repetition that another program on the machine slowed then skews no ratio.
std::vector<TListsTimes>& CorpusListsTimes()
{
    static std::vector<TListsTimes> times;
    return times;
}

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Writes over more memory than the processor's caches hold, so that every start begins with
// cold caches as a fresh process does, whatever the run before it touched: the scaled set's
// load leaves none of the window's own data cached, the corpus's a good share.
void ColdCaches()
{
    static std::vector<unsigned char> memory(std::size_t(512) << 20);
    static unsigned char round = 0;
    std::fill(memory.begin(), memory.end(), ++round);
    benchmark::DoNotOptimize(memory.data());
}

// The moment the grid's viewport is first given a paint with a filled list in the grid.
class TFilledListPaint : public QObject
{
public:
    explicit TFilledListPaint(TGrid& grid) : Grid(grid) { Grid.viewport()->installEventFilter(this); }

    std::optional<std::chrono::steady_clock::time_point> At;
    std::clock_t ProcessorAt = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!At && event->type() == QEvent::Paint && !Grid.Cell(0, 0).empty()) {
            At = std::chrono::steady_clock::now();
            ProcessorAt = std::clock();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TGrid& Grid;
};

// Times the window from its creation to the first paint of the order list with its rows, and
// lets each run load to the end untimed.
TListsTimes WindowToListsPainted(benchmark::State& state, const fs::path& programFolder)
{
    if (programFolder.empty()) {
        state.SkipWithError("data set not available");
        return {};
    }
    std::chrono::steady_clock::duration timed{};
    std::clock_t processor = 0;
    for (auto _ : state) {
        ColdCaches();
        const std::clock_t processorBegin = std::clock();
        const auto begin = std::chrono::steady_clock::now();
        TBenchWindow window;
        if (!window.Open(programFolder, TWindowStart::Created)) {
            state.SkipWithError("the window ended the program");
            return {};
        }
        TFilledListPaint painted(*Widget<TGrid>(*window.Form, "OrdGrid"));
        window.Form->show();
        while (!window.Form->DataLoaded() && !window.Shell.ExitRequested())
            QCoreApplication::processEvents();
        // Rows filled by a load that paints nothing until it returns are painted after it.
        for (int round = 0; round < 10 && !painted.At; ++round)
            QCoreApplication::processEvents();
        if (window.Shell.ExitRequested() || !painted.At) {
            state.SkipWithError("the window did not paint the lists");
            return {};
        }
        const auto elapsed = *painted.At - begin;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        timed += elapsed;
        processor += painted.ProcessorAt - processorBegin;
        window.Form.reset();
    }
    const auto iterations = static_cast<double>(state.iterations());
    return {std::chrono::duration<double>(timed).count() / iterations,
            static_cast<double>(processor) / CLOCKS_PER_SEC / iterations};
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
void BM_WindowToListsPainted_Corpus(benchmark::State& state)
{
    CorpusListsTimes().push_back(WindowToListsPainted(state, ProgramFolderFor(CorpusDataFolder(), "window-corpus")));
}
void BM_WindowToListsPainted_ScaledCorpus(benchmark::State& state)
{
    const TListsTimes times =
        WindowToListsPainted(state, ProgramFolderFor(ScaledCorpusDataFolder(), "window-corpus10"));
    std::vector<double> walls, processors;
    for (const TListsTimes& corpus : CorpusListsTimes()) {
        walls.push_back(corpus.Wall);
        processors.push_back(corpus.Processor);
    }
    const double wall = Median(walls), processor = Median(processors);
    if (wall > 0 && times.Wall > 0) state.counters["x_corpus"] = times.Wall / wall;
    if (processor > 0 && times.Processor > 0) state.counters["x_corpus_cpu"] = times.Processor / processor;
}

BENCHMARK(BM_LoadDriverOnly_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDriverOnly_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToLoaded_ScaledCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowToListsPainted_Corpus)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WindowToListsPainted_ScaledCorpus)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    return RunUiBenchmarks(argc, argv);
}
