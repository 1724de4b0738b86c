// Selecting a sutra in the window: the eight views filled for the largest sutra of the shared
// corpus (as it is and with every body ten times over) and of the demo set, alternating with the next largest so that
// every selection really refills the views. The baseline builds the same texts without any view.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include "window/pages/CatalogueTabs.h"
#include "window/pages/TextViews.h"
#include "window/widgets/Grid.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"
#include "browse/SutraTexts.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>

namespace {

namespace fs = std::filesystem;
using TFolderFunction = fs::path (*)();

struct TLoadedWindow : TBenchWindow
{
    std::int32_t Largest = -1, NextLargest = -1;
};

std::int64_t SutraUnits(const TLoadedData& data, std::int32_t n)
{
    const TSuttaEntry& e = data.TextFiles[0].SuttaTable.Items[n];
    std::int64_t units = std::int64_t(e.SubjectLength) + e.SummaryLength;
    for (const TVesko_File& file : data.TextFiles)
        units += file.SuttaTable.Items[n].BodyLength;
    return units;
}

// One window per data set, loaded the way the program loads it and kept for the whole run;
// they go before the application does.
std::map<TFolderFunction, std::unique_ptr<TLoadedWindow>>& Windows()
{
    static std::map<TFolderFunction, std::unique_ptr<TLoadedWindow>> windows;
    return windows;
}

TLoadedWindow* LoadedWindow(TFolderFunction folderOf, const char* name)
{
    auto& windows = Windows();
    if (auto found = windows.find(folderOf); found != windows.end()) return found->second.get();
    std::unique_ptr<TLoadedWindow>& window = windows[folderOf];

    auto made = std::make_unique<TLoadedWindow>();
    if (!made->Open(ProgramFolderFor(folderOf(), name), TWindowStart::Loaded)) return nullptr;
    const TLoadedData& loaded = made->State.Data;
    if (loaded.TextFiles[0].SuttaTable.Count < 2) return nullptr;

    std::vector<std::int32_t> order(loaded.TextFiles[0].SuttaTable.Count);
    for (std::int32_t n = 0; n < static_cast<std::int32_t>(order.size()); ++n)
        order[n] = n;
    std::partial_sort(order.begin(), order.begin() + 2, order.end(),
                      [&](std::int32_t a, std::int32_t b) { return SutraUnits(loaded, a) > SutraUnits(loaded, b); });
    made->Largest = order[0];
    made->NextLargest = order[1];
    window = std::move(made);
    return window.get();
}

// How a selection is timed: the handler alone, with the events it leaves behind and a
// synchronous repaint, or until the views on show hold their whole text, which they take
// in steps after the first screens.
enum TSettle
{
    HandlerOnly,
    Repainted,
    WholeText,
};

// Selects the two sutras in turn with ViewPage on tab page.
void SelectSutra(benchmark::State& state, TFolderFunction folderOf, const char* name, int page, int settle)
{
    TLoadedWindow* window = LoadedWindow(folderOf, name);
    if (!window) {
        state.SkipWithError("data set not available");
        return;
    }
    TMainForm& form = *window->Form;
    Widget<TPageControl>(form, "ViewPage")->setCurrentIndex(page);
    form.ShowSutra(window->NextLargest);
    QCoreApplication::processEvents();
    bool largest = true;
    for (auto _ : state) {
        form.ShowSutra(largest ? window->Largest : window->NextLargest);
        if (settle == Repainted) {
            QCoreApplication::processEvents();
            form.repaint();
        }
        while (settle == WholeText && !ShownViewsLaidOut(form))
            QCoreApplication::processEvents();
        largest = !largest;
    }
    state.counters["sutra"] = window->Largest + 1;
    state.counters["units"] = static_cast<double>(SutraUnits(window->State.Data, window->Largest));
}

void BuildTextsOnly(benchmark::State& state, TFolderFunction folderOf, const char* name)
{
    TLoadedWindow* window = LoadedWindow(folderOf, name);
    if (!window) {
        state.SkipWithError("data set not available");
        return;
    }
    bool largest = true;
    for (auto _ : state) {
        TSutraViewTexts texts =
            BuildSutraViewTexts(window->State.Data, largest ? window->Largest : window->NextLargest);
        benchmark::DoNotOptimize(texts);
        largest = !largest;
    }
}

// One family's views alone (0 Korean, 1 고려대장경, 2 신수대장경), ViewPage on tab 0.
void FillFamily(benchmark::State& state, TFolderFunction folderOf, const char* name)
{
    TLoadedWindow* window = LoadedWindow(folderOf, name);
    if (!window) {
        state.SkipWithError("data set not available");
        return;
    }
    TMainForm& form = *window->Form;
    Widget<TPageControl>(form, "ViewPage")->setCurrentIndex(0);
    TTextViews& views = form.Views();
    const auto fill =
        std::array{&TTextViews::FillHanViews, &TTextViews::FillKorViews, &TTextViews::FillSinsuViews}[state.range(0)];
    bool largest = true;
    for (auto _ : state) {
        const std::int32_t n = largest ? window->Largest : window->NextLargest;
        state.PauseTiming();
        const std::u16string title = TitleLine(window->State.Data.TextFiles[0], n);
        state.ResumeTiming();
        (views.*fill)(n, title);
        largest = !largest;
    }
    form.CurrentSutra = -1;
}

void BM_FillFamily_Corpus(benchmark::State& state)
{
    FillFamily(state, &CorpusDataFolder, "select-corpus");
}

// The lists filled at load time: OrdGrid and NameGrid with every sutra, then SubjGrid1.
void FillLoadTimeLists(benchmark::State& state, TFolderFunction folderOf, const char* name)
{
    TLoadedWindow* window = LoadedWindow(folderOf, name);
    if (!window) {
        state.SkipWithError("data set not available");
        return;
    }
    TMainForm& form = *window->Form;
    for (auto _ : state) {
        form.Catalogue().FillLoadedLists();
    }
    state.counters["rows"] = Widget<TGrid>(form, "OrdGrid")->rowCount();
}

void BM_FillLoadTimeLists_Corpus(benchmark::State& state)
{
    FillLoadTimeLists(state, &CorpusDataFolder, "select-corpus");
}
void BM_FillLoadTimeLists_Demo(benchmark::State& state)
{
    FillLoadTimeLists(state, &DemoDataFolder, "select-demo");
}

void BM_BuildTextsOnly_Corpus(benchmark::State& state)
{
    BuildTextsOnly(state, &CorpusDataFolder, "select-corpus");
}
void BM_SelectSutra_Corpus(benchmark::State& state)
{
    SelectSutra(state, &CorpusDataFolder, "select-corpus", static_cast<int>(state.range(0)),
                static_cast<int>(state.range(1)));
}
void BM_BuildTextsOnly_Corpus10(benchmark::State& state)
{
    BuildTextsOnly(state, &ScaledCorpusDataFolder, "select-corpus10");
}
void BM_SelectSutra_Corpus10(benchmark::State& state)
{
    SelectSutra(state, &ScaledCorpusDataFolder, "select-corpus10", static_cast<int>(state.range(0)),
                static_cast<int>(state.range(1)));
}
void BM_BuildTextsOnly_Demo(benchmark::State& state)
{
    BuildTextsOnly(state, &DemoDataFolder, "select-demo");
}
void BM_SelectSutra_Demo(benchmark::State& state)
{
    SelectSutra(state, &DemoDataFolder, "select-demo", static_cast<int>(state.range(0)),
                static_cast<int>(state.range(1)));
}

// Arguments: the ViewPage tab on show (0 the three texts together, 1 the Korean views), and
// what is timed after the handler (TSettle).
BENCHMARK(BM_BuildTextsOnly_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectSutra_Demo)
    ->ArgsProduct({{0, 1}, {HandlerOnly, Repainted, WholeText}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTextsOnly_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectSutra_Corpus)
    ->ArgsProduct({{0, 1}, {HandlerOnly, Repainted, WholeText}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTextsOnly_Corpus10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectSutra_Corpus10)
    ->ArgsProduct({{0, 1}, {HandlerOnly, Repainted, WholeText}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLoadTimeLists_Demo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLoadTimeLists_Corpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillFamily_Corpus)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunUiBenchmarks(argc, argv, [] { Windows().clear(); });
}
