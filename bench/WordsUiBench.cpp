// Taking the reader to the words, on the shared corpus: filling the 용례 tab after a 20-word
// search over both Chinese editions, against the search itself in the same run; and F3 and
// the first Page Down on the result with the most runs, against showing that result.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include "window/pages/ConcordanceTab.h"
#include "window/pages/TextViews.h"
#include "window/reading/HitNavigator.h"
#include "window/widgets/RichEdit.h"
#include "data/HanmoonText.h"
#include "search/Concordance.h"
#include "search/SearchScan.h"
#include "util/MyWideString.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

std::unique_ptr<TBenchWindow>& Window()
{
    static std::unique_ptr<TBenchWindow> window;
    return window;
}

TBenchWindow* LoadedWindow()
{
    static bool tried = false;
    if (!tried) {
        tried = true;
        auto window = std::make_unique<TBenchWindow>();
        if (window->Open(ProgramFolderFor(CorpusDataFolder(), "words-corpus"), TWindowStart::Loaded))
            Window() = std::move(window);
    }
    return Window().get();
}

std::u16string SearchedText(const TLoadedData& data, int family, std::int32_t n)
{
    const TVesko_File& file = data.TextFiles[family];
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    return family == 0 ? CopyWideChars(file.Text, e.BodyStart, e.BodyLength)
                       : CopyHanmoonText(file.Text, file.TextLength(), e.BodyStart, e.BodyLength);
}

// Words cut from 고려대장경 bodies spread over the catalogue, as the search benchmarks cut them.
std::vector<std::u16string> SampleWords(const TLoadedData& data, int count)
{
    const std::int32_t sutras = data.TextFiles[0].SuttaTable.Count;
    std::vector<std::u16string> words;
    for (int k = 0; static_cast<int>(words.size()) < count && k < 1000; ++k) {
        const std::u16string text = SearchedText(data, 1, (k * 101 + 7) % sutras);
        if (text.size() < 8) continue;
        const std::u16string word =
            CleanSearchLine(text.substr((k * 7919) % (text.size() - 4), 2 + k % 2), BothHanmoonCanons);
        if (word.size() >= 2 && word.find_first_of(u"\r\n") == std::u16string::npos) words.push_back(word);
    }
    return words;
}

double& SearchSeconds()
{
    static double seconds = 0;
    return seconds;
}

// The search the concordance lists: clean, check, scan and result list.
TSearchOutcome SearchWords(TVesko3Session& loaded, const std::vector<std::u16string>& words)
{
    TBenchShell silent(TBenchShell::TMode::Quiet);
    return SearchSutras(loaded.Data, loaded.SearchInfo, {BothHanmoonCanons, 0, 0, true}, words, silent);
}

void SearchTwentyWords(TVesko3Session& loaded)
{
    (void)SearchWords(loaded, SampleWords(loaded.Data, 20));
}

// The yardstick: that search alone, its words cut from the texts beforehand.
void Search(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("shared corpus not available");
    const std::vector<std::u16string> words = SampleWords(window->State.Data, 20);
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchWords(window->State, words).List.Rows.data());
    SearchSeconds() = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                      static_cast<double>(state.iterations());
    state.counters["hits"] = window->State.SearchInfo.HitCount;
}

// The 용례 tab filled from that search: the runs, their contexts and the list's model.
void ConcordanceFill(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("shared corpus not available");
    SearchTwentyWords(window->State);
    TConcordanceTab& tab = *Widget<TConcordanceTab>(*window->Form, "ConcordanceTabSheet");
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state)
        tab.Fill();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                           static_cast<double>(state.iterations());
    state.counters["rows"] = static_cast<double>(tab.Rows().Rows.size());
    state.counters["runs"] = static_cast<double>(tab.Rows().Total);
    state.counters["ms"] = seconds * 1000;
    if (SearchSeconds() > 0) state.counters["x_search"] = seconds / SearchSeconds();
}

// The result with the most runs: the character met most often in the largest 고려대장경 body,
// searched over both Chinese editions.
std::int32_t ShowHeavyHit(TMainForm& form, TVesko3Session& loaded, std::size_t& runs)
{
    const TLoadedData& data = loaded.Data;
    std::int32_t heaviest = -1;
    for (std::int32_t n = 0; n < data.TextFiles[0].SuttaTable.Count; ++n)
        if (heaviest < 0 ||
            data.TextFiles[1].SuttaTable.Items[n].BodyLength > data.TextFiles[1].SuttaTable.Items[heaviest].BodyLength)
            heaviest = n;
    if (heaviest < 0) return heaviest;
    std::vector<std::int32_t> frequency(65536, 0);
    for (char16_t c : SearchedText(data, 1, heaviest))
        if (!IsIgnorableChar(c)) ++frequency[c];
    const auto common = static_cast<char16_t>(std::max_element(frequency.begin(), frequency.end()) - frequency.begin());
    TBenchShell silent(TBenchShell::TMode::Quiet);
    (void)SearchSutras(data, loaded.SearchInfo, {BothHanmoonCanons, 0, 0, true}, {std::u16string(1, common)}, silent);
    form.OpenPlace({heaviest, true});
    runs = 0;
    for (const TFamilyRuns& family : SearchHitRuns(data, loaded.SearchInfo, heaviest))
        runs = std::max(runs, family.Runs.size());
    return heaviest;
}

double& DisplaySeconds()
{
    static double seconds = 0;
    return seconds;
}

// The yardstick for F3: showing that result, its views filled and highlighted.
void ShowHeavyResult(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("shared corpus not available");
    std::size_t runs = 0;
    const std::int32_t n = ShowHeavyHit(*window->Form, window->State, runs);
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        window->Form->OpenPlace({n, true});
    }
    DisplaySeconds() = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                       static_cast<double>(state.iterations());
    state.counters["sutra"] = n + 1;
    state.counters["runs"] = static_cast<double>(runs);
}

// F3 there, back and forth between the ends so that every step moves.
void NextHit(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("shared corpus not available");
    std::size_t runs = 0;
    ShowHeavyHit(*window->Form, window->State, runs);
    THitNavigator& hits = Widget<TTextViews>(*window->Form, "TextViews")->Hits();
    int step = 1;
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        hits.Step(step);
        if (hits.Indication(hits.ActiveView()).contains(' ' + QString(step > 0 ? "끝" : "처음"))) step = -step;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                           static_cast<double>(state.iterations());
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["us"] = seconds * 1e6;
    if (DisplaySeconds() > 0) state.counters["x_display"] = seconds / DisplaySeconds();
}

// The first Page Down in the view F3 works on, right after that result is shown: a page on
// from the run in view. The showing itself is left out of the time.
void PageDownAfterHit(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("shared corpus not available");
    std::size_t runs = 0;
    const std::int32_t n = ShowHeavyHit(*window->Form, window->State, runs);
    THitNavigator& hits = Widget<TTextViews>(*window->Form, "TextViews")->Hits();
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window->Form->OpenPlace({n, true});
        QWidget* view = hits.ActiveView();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        const auto begin = std::chrono::steady_clock::now();
        state.ResumeTiming();
        QApplication::sendEvent(view, &key);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }
    seconds /= static_cast<double>(state.iterations());
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["ms"] = seconds * 1000;
    if (DisplaySeconds() > 0) state.counters["x_display"] = seconds / DisplaySeconds();
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("Words/Search/corpus/canon3/words20", Search)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Words/ConcordanceFill/corpus/canon3/words20", ConcordanceFill)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Words/ShowHeavyResult/corpus", ShowHeavyResult)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Words/NextHit/corpus", NextHit)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Words/PageDownAfterHit/corpus", PageDownAfterHit)->Unit(benchmark::kMillisecond);
    return RunUiBenchmarks(argc, argv, [] { Window().reset(); });
}
