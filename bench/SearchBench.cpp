// The scan of a search over the shared corpus and the default demo set: the fast scan
// against the reference matcher in the same run, for 1, 5 and 20 words, every canon,
// variants on and off, any-word and all-words mode; and the button's whole work (clean,
// validate, scan, list) with the fast scan; and the concordance of a 20-word search over both
// Chinese editions against that search in the same run.

#include "BenchData.h"

#include "data/HanmoonText.h"
#include "search/Concordance.h"
#include "search/SearchScan.h"
#include "util/MyWideString.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <limits>
#include <map>
#include <memory>
#include <string>

namespace {

struct TBenchSet
{
    std::string Name;
    std::unique_ptr<TVesko3Session> State; // empty when the set could not be had
};

TBenchSet& BenchSet(int which)
{
    static TBenchSet sets[2];
    TBenchSet& set = sets[which];
    if (set.Name.empty()) {
        set.Name = which == 0 ? "corpus" : "demo";
        auto state = std::make_unique<TVesko3Session>();
        if (LoadBenchData(which == 0 ? CorpusDataFolder() : DemoDataFolder(), *state)) set.State = std::move(state);
    }
    return set;
}

// Words cut from the searched texts of sutras spread over the catalogue, so that every word
// occurs somewhere and the sets differ between data sets and canons, as a user's would.
std::vector<std::u16string> SampleWords(const TLoadedData& data, std::int32_t canon, int count)
{
    const int family = canon == 3 ? 1 : canon;
    const TVesko_File& file = data.TextFiles[family];
    const std::int32_t sutras = data.TextFiles[0].SuttaTable.Count;
    std::vector<std::u16string> words;
    for (int k = 0; static_cast<int>(words.size()) < count && k < 1000; ++k) {
        const TSuttaEntry& e = file.SuttaTable.Items[(k * 101 + 7) % sutras];
        const std::u16string text = family == 0
                                        ? CopyWideChars(file.Text, e.BodyStart, e.BodyLength)
                                        : CopyHanmoonText(file.Text, file.TextLength(), e.BodyStart, e.BodyLength);
        if (text.size() < 8) continue;
        const std::u16string word = CleanSearchLine(text.substr((k * 7919) % (text.size() - 4), 2 + k % 2), canon);
        if (word.size() >= 2 && word.find_first_of(u"\r\n") == std::u16string::npos) words.push_back(word);
    }
    return words;
}

// Reference times by case, so that the fast scan can report how many times faster it is.
std::map<std::string, double>& ReferenceSeconds()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

struct TScanCase
{
    int Set;
    std::int32_t Canon;
    int Words;
    bool Variants;
    std::int32_t Mode;
    std::string Key() const
    {
        return std::string(Set == 0 ? "corpus" : "demo") + "/canon" + std::to_string(Canon) + "/words" +
               std::to_string(Words) + (Variants ? "/variants" : "/exact") + (Mode ? "/all" : "/any");
    }
};

void Scan(benchmark::State& state, TScanCase c, TScanMethod method, int threads)
{
    TBenchSet& set = BenchSet(c.Set);
    if (!set.State) {
        state.SkipWithError("data set not available");
        return;
    }
    const TLoadedData& data = set.State->Data;
    TSearchInfo& info = set.State->SearchInfo;
    const std::vector<std::u16string> words = SampleWords(data, c.Canon, c.Words);
    double seconds = 0;
    for (auto _ : state) {
        BeginSearch(info, {c.Canon, 0, c.Mode, c.Variants});
        CollectSearchWords(info, words);
        const auto begin = std::chrono::steady_clock::now();
        ScanSutras(data, info, {}, method, threads);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        benchmark::DoNotOptimize(info.HitCount);
    }
    seconds /= static_cast<double>(state.iterations());
    state.counters["hits"] = info.HitCount;
    if (method == TScanMethod::Reference) {
        ReferenceSeconds()[c.Key()] = seconds;
    } else if (auto found = ReferenceSeconds().find(c.Key()); found != ReferenceSeconds().end()) {
        state.counters["times_faster"] = found->second / seconds;
    }
}

// Wall and processor seconds (every thread's) of one run of a benchmark's loop.
struct TSpent
{
    double Wall = 0;
    double Cpu = 0;
};

class TSpentClock
{
public:
    TSpent PerIteration(const benchmark::State& state) const
    {
        const auto n = static_cast<double>(state.iterations());
        return {std::chrono::duration<double>(std::chrono::steady_clock::now() - Wall).count() / n,
                static_cast<double>(std::clock() - Cpu) / CLOCKS_PER_SEC / n};
    }

private:
    std::chrono::steady_clock::time_point Wall = std::chrono::steady_clock::now();
    std::clock_t Cpu = std::clock();
};

// The whole search's time by case, the yardstick of the concordance.
std::map<std::string, TSpent>& WholeSearchSpent()
{
    static std::map<std::string, TSpent> spent;
    return spent;
}

// SearchButtonClick's core work on the corpus: reset, clean, validate, scan, list.
void WholeSearch(benchmark::State& state, TScanCase c)
{
    TBenchSet& set = BenchSet(c.Set);
    if (!set.State) {
        state.SkipWithError("data set not available");
        return;
    }
    const TLoadedData& data = set.State->Data;
    TSearchInfo& info = set.State->SearchInfo;
    std::vector<std::u16string> memo;
    for (const std::u16string& word : SampleWords(data, c.Canon, c.Words))
        memo.push_back(u" " + word + u" ");
    struct TSilent : IMessages
    {
        void Show(const std::u16string&, const std::u16string&) override {}
    } messages;
    TSearchFeedback feedback;
    feedback.Progress = [](std::int32_t) {};
    const TSpentClock clock;
    for (auto _ : state) {
        const TSearchOutcome outcome =
            SearchSutras(data, info, {c.Canon, 0, c.Mode, c.Variants}, memo, messages, feedback);
        benchmark::DoNotOptimize(outcome.List.Rows.data());
    }
    const TSpent spent = clock.PerIteration(state);
    WholeSearchSpent()[c.Key()] = spent;
    state.counters["cpu_ms"] = spent.Cpu * 1000;
    state.counters["hits"] = info.HitCount;
}

// The rows of that search, as the window asks for them (20 units of context, its row limit)
// or as the tool asks for them (every row); x_search is the time over the search's, and
// x_search_cpu the processor time of every thread over the search's, which a busy machine
// sways less.
void ConcordanceRows(benchmark::State& state, TScanCase c, std::size_t limit)
{
    TBenchSet& set = BenchSet(c.Set);
    if (!set.State) {
        state.SkipWithError("data set not available");
        return;
    }
    const TLoadedData& data = set.State->Data;
    TSearchInfo& info = set.State->SearchInfo;
    BeginSearch(info, {c.Canon, 0, c.Mode, c.Variants});
    CollectSearchWords(info, SampleWords(data, c.Canon, c.Words));
    ScanSutras(data, info, {}, TScanMethod::Fast, 0);
    TConcordance rows;
    const TSpentClock clock;
    for (auto _ : state) {
        rows = BuildConcordance(data, info, WindowContextWidth, limit);
        benchmark::DoNotOptimize(rows.Rows.data());
    }
    const TSpent spent = clock.PerIteration(state);
    state.counters["rows"] = static_cast<double>(rows.Rows.size());
    state.counters["occurrences"] = static_cast<double>(rows.Total);
    state.counters["cpu_ms"] = spent.Cpu * 1000;
    if (auto found = WholeSearchSpent().find(c.Key()); found != WholeSearchSpent().end()) {
        state.counters["x_search"] = spent.Wall / found->second.Wall;
        state.counters["x_search_cpu"] = spent.Cpu / found->second.Cpu;
    }
}

// What PrepareSearch adds to loading (the work arrays), and then the index families a
// search of the given canon makes on its first scan, one after the other on this thread
// (canon -1: none, 4: all three).
void Prepare(benchmark::State& state, int which, int canon)
{
    TBenchSet& set = BenchSet(which);
    if (!set.State) {
        state.SkipWithError("data set not available");
        return;
    }
    const TLoadedData& data = set.State->Data;
    std::vector<int> families;
    for (int f = 0; f < TextFileCount; ++f)
        if (canon == 4 || canon == f || (canon == BothHanmoonCanons && f != HanFamily)) families.push_back(f);
    std::size_t units = 0;
    for (auto _ : state) {
        TSearchInfo info;
        PrepareSearch(info, data);
        units = 0;
        for (int f : families)
            if (const TIndexedFamily* made = IndexedFamily(info.Index, data, f)) units += made->Searched.size();
        benchmark::DoNotOptimize(units);
    }
    state.counters["index_units"] = static_cast<double>(units);
}

// Pairs of common characters that never stand together in either Chinese edition of the
// corpus, not even through a variant form: every first character stops a simple scan.
const std::vector<std::u16string> AbsentWords = {u"不所", u"如得", u"有丘", u"我彼", u"無於", u"所此", u"尊羅",
                                                 u"比有", u"世知", u"諸是", u"一復", u"佛我", u"於者", u"人比",
                                                 u"已法", u"知聞", u"何尊", u"若何", u"善世", u"復佛"};

double& PlainPassSeconds()
{
    static double seconds = 0;
    return seconds;
}

// The yardstick of the scan: one pass over the searched text of both Chinese editions, one
// table look-up per character and no more, on one thread.
void PlainPass(benchmark::State& state)
{
    TBenchSet& set = BenchSet(0);
    if (!set.State) {
        state.SkipWithError("data set not available");
        return;
    }
    std::vector<std::u16string_view> texts;
    for (int f : {KorFamily, SinsuFamily})
        if (const TIndexedFamily* made = IndexedFamily(set.State->SearchInfo.Index, set.State->Data, f))
            texts.push_back(made->Searched);
    std::vector<std::uint8_t> table(65536, 0);
    table[u'\u4E0D'] = 1;
    std::size_t units = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        std::size_t marked = 0;
        units = 0;
        for (std::u16string_view text : texts) {
            for (char16_t c : text)
                marked += table[c];
            units += text.size();
        }
        benchmark::DoNotOptimize(marked);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }
    PlainPassSeconds() = seconds / static_cast<double>(state.iterations());
    state.counters["units"] = static_cast<double>(units);
}

// The canon-3 scan of ordinary or absent words against the plain pass: times_plain is
// the scan's time over the pass's (threads: the scan's wall time, as the user waits).
void ScanAgainstPlainPass(benchmark::State& state, bool absent, int threads)
{
    TBenchSet& set = BenchSet(0);
    if (!set.State) {
        state.SkipWithError("data set not available");
        return;
    }
    const TLoadedData& data = set.State->Data;
    TSearchInfo& info = set.State->SearchInfo;
    const std::vector<std::u16string> words = absent ? AbsentWords : SampleWords(data, BothHanmoonCanons, 20);
    double seconds = 0;
    for (auto _ : state) {
        BeginSearch(info, {BothHanmoonCanons, 0, 0, true});
        CollectSearchWords(info, words);
        const auto begin = std::chrono::steady_clock::now();
        ScanSutras(data, info, {}, TScanMethod::Fast, threads);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        benchmark::DoNotOptimize(info.HitCount);
    }
    seconds /= static_cast<double>(state.iterations());
    state.counters["hits"] = info.HitCount;
    if (PlainPassSeconds() > 0) state.counters["times_plain"] = seconds / PlainPassSeconds();
}

void RegisterAll()
{
    benchmark::RegisterBenchmark("PlainPass/corpus/canon3", PlainPass)->Unit(benchmark::kMillisecond);
    for (bool absent : {false, true})
        for (int threads : {0, 1})
            benchmark::RegisterBenchmark((std::string("ScanVsPlain/corpus/canon3/") + (absent ? "absent" : "ordinary") +
                                          (threads ? "/one_thread" : "/threads"))
                                             .c_str(),
                                         ScanAgainstPlainPass, absent, threads)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    for (int set = 0; set < 2; ++set)
        for (int canon : {-1, 1, 3, 4})
            benchmark::RegisterBenchmark((std::string("PrepareSearch/") + (set == 0 ? "corpus" : "demo") +
                                          (canon < 0   ? ""
                                           : canon < 4 ? "/index_canon" + std::to_string(canon)
                                                       : "/index_all"))
                                             .c_str(),
                                         Prepare, set, canon)
                ->Unit(benchmark::kMillisecond);
    for (int set = 0; set < 2; ++set)
        for (std::int32_t canon = 0; canon < 4; ++canon)
            for (int words : {1, 5, 20})
                for (bool variants : {true, false})
                    for (std::int32_t mode : {0, 1}) {
                        const TScanCase c{set, canon, words, variants, mode};
                        const std::string key = c.Key();
                        benchmark::RegisterBenchmark(("Scan/" + key + "/reference").c_str(), Scan, c,
                                                     TScanMethod::Reference, 1)
                            ->Unit(benchmark::kMillisecond)
                            ->Iterations(2);
                        benchmark::RegisterBenchmark(("Scan/" + key + "/fast").c_str(), Scan, c, TScanMethod::Fast, 0)
                            ->Unit(benchmark::kMillisecond)
                            ->UseRealTime();
                        if (words == 20)
                            benchmark::RegisterBenchmark(("Scan/" + key + "/fast_one_thread").c_str(), Scan, c,
                                                         TScanMethod::Fast, 1)
                                ->Unit(benchmark::kMillisecond);
                    }
    for (std::int32_t canon = 0; canon < 4; ++canon)
        for (std::int32_t mode : {0, 1}) {
            const TScanCase c{0, canon, 20, true, mode};
            benchmark::RegisterBenchmark(
                ("WholeSearch/corpus/canon" + std::to_string(canon) + "/words20" + (mode ? "/all" : "/any")).c_str(),
                WholeSearch, c)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    const TScanCase both{0, BothHanmoonCanons, 20, true, 0};
    benchmark::RegisterBenchmark("Concordance/corpus/canon3/words20/window", ConcordanceRows, both,
                                 WindowConcordanceRows)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Concordance/corpus/canon3/words20/every_row", ConcordanceRows, both,
                                 std::numeric_limits<std::size_t>::max())
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
