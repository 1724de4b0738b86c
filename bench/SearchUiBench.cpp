// The search tab in the window, on the shared corpus and the demo set: the whole
// SearchButtonClick against SearchSutras with the same words and options as the baseline, and
// the display of a result with thousands of highlighted runs against filling the views alone
// and computing the runs alone.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include "window/pages/SearchTab.h"
#include "window/pages/TextViews.h"
#include "window/widgets/Grid.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"
#include "data/HanmoonText.h"
#include "browse/SutraTexts.h"
#include "search/SearchHit.h"
#include "search/SearchScan.h"
#include "util/MyUtils.h"
#include "util/MyWideString.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

enum TSet
{
    Corpus,
    Demo,
    Corpus10, // the shared corpus with every body ten times over
};

const char* SetName(int set)
{
    return set == Corpus ? "corpus" : set == Corpus10 ? "corpus10" : "demo";
}

// One loaded window per data set for the whole run; they go before the application does.
std::map<int, std::unique_ptr<TBenchWindow>>& Windows()
{
    static std::map<int, std::unique_ptr<TBenchWindow>> windows;
    return windows;
}

TBenchWindow* LoadedWindow(int set)
{
    auto& windows = Windows();
    if (auto found = windows.find(set); found != windows.end()) return found->second.get();
    auto window = std::make_unique<TBenchWindow>();
    const std::filesystem::path data = set == Corpus     ? CorpusDataFolder()
                                       : set == Corpus10 ? ScaledCorpusDataFolder()
                                                         : DemoDataFolder();
    std::unique_ptr<TBenchWindow>& kept = windows[set];
    if (window->Open(ProgramFolderFor(data, std::string("search-") + SetName(set)), TWindowStart::Loaded))
        kept = std::move(window);
    return kept.get();
}

std::u16string SearchedText(const TLoadedData& data, int family, std::int32_t n)
{
    const TVesko_File& file = data.TextFiles[family];
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    return family == 0 ? CopyWideChars(file.Text, e.BodyStart, e.BodyLength)
                       : CopyHanmoonText(file.Text, file.TextLength(), e.BodyStart, e.BodyLength);
}

// Words cut from bodies spread over the catalogue, so that each occurs somewhere, as a user's would.
std::vector<std::u16string> SampleWords(const TLoadedData& data, std::int32_t canon, int count)
{
    const int family = canon == BothHanmoonCanons ? 1 : canon;
    const std::int32_t sutras = data.TextFiles[0].SuttaTable.Count;
    std::vector<std::u16string> words;
    for (int k = 0; static_cast<int>(words.size()) < count && k < 1000; ++k) {
        const std::u16string text = SearchedText(data, family, (k * 101 + 7) % sutras);
        if (text.size() < 8) continue;
        const std::u16string word = CleanSearchLine(text.substr((k * 7919) % (text.size() - 4), 2 + k % 2), canon);
        if (word.size() >= 2 && word.find_first_of(u"\r\n") == std::u16string::npos) words.push_back(word);
    }
    return words;
}

struct TButtonCase
{
    int Set;
    std::int32_t Canon;
    int Words;
    std::string Name() const
    {
        return std::string(SetName(Set)) + "/canon" + std::to_string(Canon) + "/words" + std::to_string(Words);
    }
    TSearchOptions Options() const { return {Canon, 0, 0, true}; }
};

// The search tab as a user leaves it before pressing the button: the words one a line, the
// canon chosen, "유사 한자도 검색" ticked, all collections, any word.
void FillSearchTab(TMainForm& form, const TButtonCase& c, const std::vector<std::u16string>& words)
{
    QString memo;
    for (const std::u16string& word : words)
        memo += QString::fromStdU16String(word) + u'\n';
    Widget<QPlainTextEdit>(form, "SearchMemo")->setPlainText(memo);
    Widget<QComboBox>(form, "TitleCombo")->setCurrentIndex(c.Canon);
    form.Search().TitleComboSelect();
    Widget<QCheckBox>(form, "SameCharacterCB")->setChecked(true);
    Widget<QComboBox>(form, "KindCombo")->setCurrentIndex(0);
    Widget<QRadioButton>(form, "SearchRadio0")->setChecked(true);
}

// Seconds per iteration of the baseline, by case, for the handler's ratio to it.
std::map<std::string, double>& BaselineSeconds()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

void RunSearchOnly(benchmark::State& state, TButtonCase c)
{
    TBenchWindow* window = LoadedWindow(c.Set);
    if (!window) {
        state.SkipWithError("data set not available");
        return;
    }
    TVesko3Session& loaded = window->State;
    const std::vector<std::u16string> words = SampleWords(loaded.Data, c.Canon, c.Words);
    TBenchShell silent(TBenchShell::TMode::Quiet);
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const TSearchOutcome outcome = SearchSutras(loaded.Data, loaded.SearchInfo, c.Options(), words, silent);
        benchmark::DoNotOptimize(outcome.List.Rows.data());
    }
    BaselineSeconds()[c.Name()] = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                                  static_cast<double>(state.iterations());
    state.counters["hits"] = loaded.SearchInfo.HitCount;
}

void SearchButton(benchmark::State& state, TButtonCase c)
{
    TBenchWindow* window = LoadedWindow(c.Set);
    if (!window) {
        state.SkipWithError("data set not available");
        return;
    }
    TMainForm& form = *window->Form;
    FillSearchTab(form, c, SampleWords(window->State.Data, c.Canon, c.Words));
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state)
        form.Search().SearchButtonClick();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                           static_cast<double>(state.iterations());
    state.counters["hits"] = window->State.SearchInfo.HitCount;
    if (auto found = BaselineSeconds().find(c.Name()); found != BaselineSeconds().end())
        state.counters["x_baseline"] = seconds / found->second;
}

// A result with many runs: the character met most often in the largest 고려대장경 body, searched
// over both Chinese texts, so that up to four views are formatted.
struct THeavyHit
{
    std::int32_t Sutra = -1;
    int Row = -1;
    std::size_t Runs = 0;
};

THeavyHit PrepareHeavyHit(TMainForm& form, TVesko3Session& loaded)
{
    const TLoadedData& data = loaded.Data;
    const std::int32_t count = data.TextFiles[0].SuttaTable.Count;
    THeavyHit hit;
    for (std::int32_t n = 0; n < count; ++n)
        if (hit.Sutra < 0 ||
            data.TextFiles[1].SuttaTable.Items[n].BodyLength > data.TextFiles[1].SuttaTable.Items[hit.Sutra].BodyLength)
            hit.Sutra = n;
    if (hit.Sutra < 0) return hit;
    std::vector<std::int32_t> frequency(65536, 0);
    for (char16_t c : SearchedText(data, 1, hit.Sutra))
        if (!IsIgnorableChar(c)) ++frequency[c];
    const auto common = static_cast<char16_t>(std::max_element(frequency.begin(), frequency.end()) - frequency.begin());

    FillSearchTab(form, {0, BothHanmoonCanons, 1}, {std::u16string(1, common)});
    form.Search().SearchButtonClick();
    const std::u16string number = DecimalText(std::int64_t(hit.Sutra) + 1);
    const TGrid* grid = Widget<TGrid>(form, "SearchGrid");
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->Cell(r, 0) == number) hit.Row = r;
    for (const TFamilyRuns& family : SearchHitRuns(data, loaded.SearchInfo, hit.Sutra))
        hit.Runs += family.Runs.size();
    return hit;
}

enum THitPart
{
    // SearchGridClick: fill, match, format, caret, repaint of the grid. The caret is placed
    // without laying the view out, which is left to the view's background layout as after a
    // plain fill.
    WholeHandler,
    WholeText, // WholeHandler, then the events until the views on show hold their whole text
    FillOnly,  // the three families' views filled, nothing highlighted
    RunsOnly,  // the matches of the texts the views receive, no view at all
};

void ShowHeavyHit(benchmark::State& state, int set, THitPart part)
{
    TBenchWindow* window = LoadedWindow(set);
    if (!window) {
        state.SkipWithError("data set not available");
        return;
    }
    TMainForm& form = *window->Form;
    TVesko3Session& loaded = window->State;
    const THeavyHit hit = PrepareHeavyHit(form, loaded);
    if (hit.Row < 0) {
        state.SkipWithError("no result row for the largest sutra");
        return;
    }
    Widget<TPageControl>(form, "ViewPage")->setCurrentIndex(0);
    {
        TGrid* grid = Widget<TGrid>(form, "SearchGrid");
        const QSignalBlocker blocker(grid);
        grid->setCurrentCell(hit.Row, 0);
    }
    const std::u16string title = TitleLine(loaded.Data.TextFiles[0], hit.Sutra);
    for (auto _ : state) {
        switch (part) {
        case WholeHandler:
            form.CurrentSutra = -1;
            form.Search().SearchGridClick();
            break;
        case WholeText:
            form.CurrentSutra = -1;
            form.Search().SearchGridClick();
            while (!ShownViewsLaidOut(form))
                QCoreApplication::processEvents();
            break;
        case FillOnly:
            form.Views().FillHanViews(hit.Sutra, title);
            form.Views().FillKorViews(hit.Sutra, title);
            form.Views().FillSinsuViews(hit.Sutra, title);
            break;
        case RunsOnly:
            benchmark::DoNotOptimize(SearchHitRuns(loaded.Data, loaded.SearchInfo, hit.Sutra).size());
            break;
        }
    }
    state.counters["sutra"] = hit.Sutra + 1;
    state.counters["runs"] = static_cast<double>(hit.Runs);
    state.counters["flags"] = loaded.SearchInfo.HitFlags[hit.Sutra];
}

void RegisterAll()
{
    for (int set : {Corpus, Demo})
        for (const TButtonCase& c : {TButtonCase{set, BothHanmoonCanons, 20}, TButtonCase{set, HanCanon, 1}}) {
            benchmark::RegisterBenchmark(("RunSearchOnly/" + c.Name()).c_str(), RunSearchOnly, c)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("SearchButtonClick/" + c.Name()).c_str(), SearchButton, c)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    const std::pair<THitPart, const char*> parts[] = {
        {RunsOnly, "RunsOnly"}, {FillOnly, "FillOnly"}, {WholeHandler, "SearchGridClick"}, {WholeText, "WholeText"}};
    for (int set : {Corpus, Corpus10, Demo})
        for (const auto& [part, name] : parts)
            benchmark::RegisterBenchmark((std::string("ShowHeavyHit/") + SetName(set) + "/" + name).c_str(),
                                         ShowHeavyHit, set, part)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
}

} // namespace

int main(int argc, char** argv)
{
    RegisterAll();
    return RunUiBenchmarks(argc, argv, [] { Windows().clear(); });
}
