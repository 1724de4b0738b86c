// The reader's aids over the shared corpus, each beside its yardstick in the same run: the two
// editions of the largest sutra aligned against building its view texts (what showing it
// starts with); 20 three-syllable words searched by reading over both Chinese editions
// against the same search of the Chinese words; one character's card.

#include "BenchData.h"

#include "browse/CharacterCard.h"
#include "browse/SutraTexts.h"
#include "data/CharacterSource.h"
#include "data/DataSetSource.h"
#include "data/HanmoonText.h"
#include "search/EditionCompare.h"
#include "search/SearchScan.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

// The corpus loaded, with the character file made from this machine's tables.
TVesko3Session* Corpus()
{
    static std::unique_ptr<TVesko3Session> session;
    static bool tried = false;
    if (tried) return session.get();
    tried = true;
    auto loaded = std::make_unique<TVesko3Session>();
    if (!LoadBenchData(CorpusDataFolder(), *loaded)) return nullptr;
    TDataSetSource source;
    TSourceSkips skips;
    if (!ReadSourceFolder(CorpusSourceFolder(), source, skips) || !AddCharacterTable(TCharacterTables{}, source))
        return nullptr;
    loaded->Data.CharacterFile.Characters = std::move(source.Characters);
    loaded->Data.CharacterFile.Loaded = true;
    PrepareSearch(loaded->SearchInfo, loaded->Data);
    session = std::move(loaded);
    return session.get();
}

double& ShowSeconds()
{
    static double seconds = 0;
    return seconds;
}

void ViewTextsOfTheLargestSutra(benchmark::State& state)
{
    TVesko3Session* session = Corpus();
    if (!session) return state.SkipWithError("corpus or tables not available");
    const std::int32_t n = LargestChineseSutra(session->Data);
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const TSutraViewTexts texts = BuildSutraViewTexts(session->Data, n);
        benchmark::DoNotOptimize(texts.TotalSinsu.data());
    }
    ShowSeconds() = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                    static_cast<double>(state.iterations());
}

// The alignment of the two view texts the display has built already, and (compare_whole) the
// whole comparison with the texts built for it.
void AlignTheLargestSutra(benchmark::State& state, bool whole)
{
    TVesko3Session* session = Corpus();
    if (!session) return state.SkipWithError("corpus or tables not available");
    const std::int32_t n = LargestChineseSutra(session->Data);
    const TEditionComparison built = CompareEditions(session->Data, n);
    std::size_t differences = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const std::vector<TEditionDifference> found =
            whole ? CompareEditions(session->Data, n).Differences
                  : AlignEditions(built.Kor, built.Sinsu, session->Data.VariantFiles);
        differences = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
                           static_cast<double>(state.iterations());
    state.counters["differences"] = static_cast<double>(differences);
    state.counters["units"] = static_cast<double>(built.Kor.size() + built.Sinsu.size());
    if (ShowSeconds() > 0) state.counters["times_view_texts"] = seconds / ShowSeconds();
}

// Three-character runs of the 신수 texts whose characters all have a reading, and those readings.
void SampleWords(const TLoadedData& data, std::vector<std::u16string>& chinese, std::vector<std::u16string>& readings)
{
    const TVesko_File& file = data.TextFiles[SinsuFamily];
    const std::int32_t sutras = file.SuttaTable.Count;
    for (int k = 0; chinese.size() < 20 && k < 5000; ++k) {
        const TSuttaEntry& e = file.SuttaTable.Items[(k * 101 + 7) % sutras];
        const std::u16string text =
            CleanSearchLine(CopyHanmoonText(file.Text, file.TextLength(), e.BodyStart, e.BodyLength), SinsuCanon);
        if (text.size() < 8) continue;
        const std::u16string word = text.substr((k * 7919) % (text.size() - 4), 3);
        std::u16string reading;
        for (char16_t c : word)
            if (char16_t r = data.ReadingFile.Text[c]; r >= u'가' && r <= u'힣') reading.push_back(r);
        if (reading.size() == 3) {
            chinese.push_back(word);
            readings.push_back(reading);
        }
    }
}

double& ChineseSeconds()
{
    static double seconds = 0;
    return seconds;
}

void SearchWords(benchmark::State& state, bool byReading)
{
    TVesko3Session* session = Corpus();
    if (!session) return state.SkipWithError("corpus or tables not available");
    std::vector<std::u16string> chinese, readings;
    SampleWords(session->Data, chinese, readings);
    TSearchInfo& info = session->SearchInfo;
    double seconds = 0;
    for (auto _ : state) {
        BeginSearch(info, {BothHanmoonCanons, 0, 0, true, byReading});
        CollectSearchWords(info, byReading ? readings : chinese);
        const auto begin = std::chrono::steady_clock::now();
        ScanSutras(session->Data, info);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        benchmark::DoNotOptimize(info.HitCount);
    }
    seconds /= static_cast<double>(state.iterations());
    state.counters["hits"] = info.HitCount;
    if (!byReading)
        ChineseSeconds() = seconds;
    else if (ChineseSeconds() > 0)
        state.counters["times_chinese"] = seconds / ChineseSeconds();
}

void CharacterCard(benchmark::State& state)
{
    TVesko3Session* session = Corpus();
    if (!session) return state.SkipWithError("corpus or tables not available");
    for (auto _ : state) {
        const TCharacterCard card = MakeCharacterCard(session->Data, U'舍');
        benchmark::DoNotOptimize(card.SinsuCount);
    }
}

} // namespace

BENCHMARK(ViewTextsOfTheLargestSutra)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AlignTheLargestSutra, align, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AlignTheLargestSutra, compare_whole, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchWords, chinese, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchWords, by_reading, true)->Unit(benchmark::kMillisecond);
BENCHMARK(CharacterCard)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
