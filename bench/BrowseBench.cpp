// The core of selecting a sutra and of filling the browse lists, for the largest sutra of the
// shared corpus and of the default demo set. The baseline copies the same five ranges
// unchanged, so the difference is the title line and the line-head removal.

#include "BenchData.h"

#include "browse/CatalogueRows.h"
#include "browse/SutraTexts.h"
#include "util/MyWideString.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using TFolderFunction = std::filesystem::path (*)();

// Each set is loaded once per run and kept for every benchmark that uses it.
const TVesko3Session* LoadedSet(TFolderFunction folderOf)
{
    static std::map<TFolderFunction, std::unique_ptr<TVesko3Session>> sets;
    auto found = sets.find(folderOf);
    if (found != sets.end()) return found->second.get();
    std::unique_ptr<TVesko3Session> state;
    const std::filesystem::path folder = folderOf();
    if (!folder.empty()) {
        state = std::make_unique<TVesko3Session>();
        if (!LoadBenchData(folder, *state)) state.reset();
    }
    return sets.emplace(folderOf, std::move(state)).first->second.get();
}

// The sutra whose texts, all families together, are the longest.
std::int32_t LargestSutra(const TLoadedData& data)
{
    std::int32_t largest = 0;
    std::int64_t largestUnits = -1;
    for (std::int32_t n = 0; n < data.TextFiles[0].SuttaTable.Count; ++n) {
        const TSuttaEntry& e = data.TextFiles[0].SuttaTable.Items[n];
        std::int64_t units = std::int64_t(e.SubjectLength) + e.SummaryLength;
        for (const TVesko_File& file : data.TextFiles)
            units += file.SuttaTable.Items[n].BodyLength;
        if (units > largestUnits) {
            largestUnits = units;
            largest = n;
        }
    }
    return largest;
}

const TVesko3Session* SetOrSkip(benchmark::State& state, TFolderFunction folderOf)
{
    const TVesko3Session* set = LoadedSet(folderOf);
    if (!set || set->Data.TextFiles[0].SuttaTable.Count == 0) state.SkipWithError("data set not available");
    return set && set->Data.TextFiles[0].SuttaTable.Count > 0 ? set : nullptr;
}

void CopyRangesOnly(benchmark::State& state, TFolderFunction folderOf)
{
    const TVesko3Session* set = SetOrSkip(state, folderOf);
    if (!set) return;
    const TLoadedData& data = set->Data;
    const std::int32_t n = LargestSutra(data);
    const TSuttaEntry& e = data.TextFiles[0].SuttaTable.Items[n];
    std::int64_t units = 0;
    for (auto _ : state) {
        std::u16string texts[5] = {
            CopyWideChars(data.TextFiles[0].Text, e.BodyStart, e.BodyLength),
            CopyWideChars(data.TextFiles[0].Text, e.SubjectStart, e.SubjectLength),
            CopyWideChars(data.TextFiles[0].Text, e.SummaryStart, e.SummaryLength),
            CopyWideChars(data.TextFiles[1].Text, data.TextFiles[1].SuttaTable.Items[n].BodyStart,
                          data.TextFiles[1].SuttaTable.Items[n].BodyLength),
            CopyWideChars(data.TextFiles[2].Text, data.TextFiles[2].SuttaTable.Items[n].BodyStart,
                          data.TextFiles[2].SuttaTable.Items[n].BodyLength),
        };
        units = 0;
        for (const std::u16string& text : texts)
            units += static_cast<std::int64_t>(text.size());
        benchmark::DoNotOptimize(texts);
    }
    state.counters["sutra"] = n + 1;
    state.counters["units"] = static_cast<double>(units);
}

void BuildViewTexts(benchmark::State& state, TFolderFunction folderOf)
{
    const TVesko3Session* set = SetOrSkip(state, folderOf);
    if (!set) return;
    const std::int32_t n = LargestSutra(set->Data);
    std::int64_t units = 0;
    for (auto _ : state) {
        TSutraViewTexts texts = BuildSutraViewTexts(set->Data, n);
        units = static_cast<std::int64_t>(texts.TotalHan.size() + texts.HanSubject.size() + texts.HanSummary.size() +
                                          texts.TotalKor.size() + texts.TotalSinsu.size());
        benchmark::DoNotOptimize(texts);
    }
    state.counters["sutra"] = n + 1;
    state.counters["units"] = static_cast<double>(units);
}

// The three lists filled at load time: by order, by name, the subjects.
void BuildLoadTimeLists(benchmark::State& state, TFolderFunction folderOf)
{
    const TVesko3Session* set = SetOrSkip(state, folderOf);
    if (!set) return;
    const TVesko_File& catalogue = set->Data.TextFiles[0];
    for (auto _ : state) {
        std::optional<TCatalogueList> byOrder = SutraListRows(catalogue, false, 0);
        std::optional<TCatalogueList> byName = SutraListRows(catalogue, true, 0);
        TCatalogueList subjects = SubjectRows(catalogue);
        benchmark::DoNotOptimize(byOrder);
        benchmark::DoNotOptimize(byName);
        benchmark::DoNotOptimize(subjects);
    }
    state.counters["rows"] = catalogue.SuttaTable.Count;
}

BENCHMARK_CAPTURE(CopyRangesOnly, corpus, &CorpusDataFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BuildViewTexts, corpus, &CorpusDataFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CopyRangesOnly, demo, &DemoDataFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BuildViewTexts, demo, &DemoDataFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BuildLoadTimeLists, corpus, &CorpusDataFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BuildLoadTimeLists, demo, &DemoDataFolder)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
