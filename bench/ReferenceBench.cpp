// Going to line references over the shared corpus, each beside its yardstick of the same run:
// `vesko3-tool goto` of every line id of both Chinese editions against `info` (the load alone,
// as info does it), and going to one reference and showing its sutra against showing the same
// sutra from its list row. The index is built at the first reference; its cost is shown too.

#include "BenchData.h"

#include "browse/LineIndex.h"
#include "browse/LineReference.h"
#include "browse/SutraTexts.h"
#include "util/TextCodec.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <map>
#include <memory>
#include <string>

namespace {

using TClock = std::chrono::steady_clock;

// Seconds per iteration of each yardstick, for the ratios printed beside the measured cases.
std::map<std::string, double>& Yardsticks()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

double Seconds(TClock::time_point begin)
{
    return std::chrono::duration<double>(TClock::now() - begin).count();
}

void SetRatio(benchmark::State& state, const std::string& yardstick, double seconds)
{
    const auto found = Yardsticks().find(yardstick);
    if (found != Yardsticks().end() && found->second > 0)
        state.counters["ratio"] = seconds / static_cast<double>(state.iterations()) / found->second;
}

class TSilent : public IMessages
{
public:
    void Show(const std::u16string&, const std::u16string&) override {}
};

class TInfoLines : public ILoadListener
{
public:
    void AppendInfoLine(const std::u16string& line) override { Lines.push_back(line); }
    void CatalogueLoaded() override {}
    std::vector<std::u16string> Lines;
};

TVesko3Session* CorpusSession()
{
    static std::unique_ptr<TVesko3Session> session = [] {
        auto loaded = std::make_unique<TVesko3Session>();
        const std::filesystem::path folder = CorpusDataFolder();
        if (folder.empty() || !LoadBenchData(folder, *loaded)) loaded.reset();
        return loaded;
    }();
    return session.get();
}

// Every line id of both Chinese editions, in catalogue order, as the tool reads them.
std::vector<std::string> EveryLineId(const TLoadedData& data)
{
    std::vector<std::string> ids;
    for (int family : {KorFamily, SinsuFamily})
        for (std::int32_t n = 0; n < data.TextFiles[HanFamily].SuttaTable.Count; ++n)
            for (const TSutraLine& line : SutraLines(data, n, family).Lines)
                ids.push_back(Utf16ToUtf8(LineId(data, family, line)));
    return ids;
}

// The sutra with the most lines, and the id of its last line: the farthest a reference can point.
std::pair<std::int32_t, std::u16string> LargestSutraLastLine(const TLoadedData& data)
{
    std::pair<std::int32_t, std::u16string> largest{0, {}};
    std::size_t most = 0;
    for (std::int32_t n = 0; n < data.TextFiles[HanFamily].SuttaTable.Count; ++n) {
        const TSutraLines lines = SutraLines(data, n, SinsuFamily);
        if (lines.Lines.size() <= most) continue;
        most = lines.Lines.size();
        largest = {n, std::u16string(LineId(data, SinsuFamily, lines.Lines.back()))};
    }
    return largest;
}

void BM_InfoLoad(benchmark::State& state)
{
    const std::filesystem::path folder = CorpusDataFolder();
    if (folder.empty()) return state.SkipWithError("corpus not available");
    double seconds = 0;
    for (auto _ : state) {
        const TClock::time_point begin = TClock::now();
        auto session = std::make_unique<TVesko3Session>();
        TSilent messages;
        TInfoLines info;
        if (!session->LoadData(folder, messages, &info)) return state.SkipWithError("loading failed");
        benchmark::DoNotOptimize(info.Lines.data());
        seconds += Seconds(begin);
    }
    Yardsticks()["info"] = seconds / static_cast<double>(state.iterations());
}

// What `goto -` does with every line id: load, index at the first reference, and one output
// line per reference.
void BM_GotoEveryLineId(benchmark::State& state)
{
    const TVesko3Session* loaded = CorpusSession();
    if (!loaded) return state.SkipWithError("corpus not available");
    const std::vector<std::string> ids = EveryLineId(loaded->Data);
    double seconds = 0;
    for (auto _ : state) {
        const TClock::time_point begin = TClock::now();
        auto session = std::make_unique<TVesko3Session>();
        TSilent messages;
        if (!session->LoadData(CorpusDataFolder(), messages, nullptr, {.NameOrder = false}))
            return state.SkipWithError("loading failed");
        // As the tool answers: each id widened into one reused buffer, looked up beside the last
        // one, the numbers appended in place.
        std::string out;
        out.reserve(2 * ids.size() * 18);
        std::u16string wide;
        TLineIndex::TNear near;
        for (const std::string& id : ids) {
            wide.assign(id.size(), u'\0');
            std::copy(id.begin(), id.end(), wide.begin());
            const std::optional<TLineReference> reference = ParseLineReference(wide);
            const std::optional<TLinePlace> place =
                reference ? session->LineIndex().Find(*reference, near) : std::nullopt;
            if (!place) return state.SkipWithError("a line id was not found");
            out += id;
            for (const std::int32_t field : {place->Sutta + 1, place->Family, place->Position}) {
                char digits[16];
                out += '\t';
                out.append(digits, std::to_chars(digits, digits + sizeof digits, field).ptr);
            }
            out += '\n';
        }
        benchmark::DoNotOptimize(out.data());
        seconds += Seconds(begin);
    }
    state.counters["references"] = static_cast<double>(ids.size());
    SetRatio(state, "info", seconds);
}

void BM_ShowSutraTexts(benchmark::State& state)
{
    const TVesko3Session* loaded = CorpusSession();
    if (!loaded) return state.SkipWithError("corpus not available");
    const std::int32_t n = LargestSutraLastLine(loaded->Data).first;
    double seconds = 0;
    for (auto _ : state) {
        const TClock::time_point begin = TClock::now();
        TSutraViewTexts texts = BuildSutraViewTexts(loaded->Data, n);
        benchmark::DoNotOptimize(texts);
        seconds += Seconds(begin);
    }
    state.counters["sutra"] = n + 1;
    Yardsticks()["show"] = seconds / static_cast<double>(state.iterations());
}

// The go-to box's Enter with the index in place: the reference resolved, then the sutra shown.
void BM_GoToReferenceAndShow(benchmark::State& state)
{
    TVesko3Session* session = CorpusSession();
    if (!session) return state.SkipWithError("corpus not available");
    const std::u16string id = LargestSutraLastLine(session->Data).second;
    const TLineIndex& index = session->LineIndex();
    double seconds = 0;
    for (auto _ : state) {
        const TClock::time_point begin = TClock::now();
        const std::optional<TLinePlace> place = FindGoToTarget(session->Data, index, id);
        if (!place) return state.SkipWithError("the reference was not found");
        TSutraViewTexts texts = BuildSutraViewTexts(session->Data, place->Sutta);
        benchmark::DoNotOptimize(texts);
        seconds += Seconds(begin);
    }
    SetRatio(state, "show", seconds);
}

// What the first reference of a run adds: indexing every line.
void BM_BuildLineIndex(benchmark::State& state)
{
    const TVesko3Session* loaded = CorpusSession();
    if (!loaded) return state.SkipWithError("corpus not available");
    double seconds = 0;
    for (auto _ : state) {
        const TClock::time_point begin = TClock::now();
        TLineIndex index(loaded->Data);
        benchmark::DoNotOptimize(index.LineCount());
        seconds += Seconds(begin);
    }
    SetRatio(state, "show", seconds);
}

BENCHMARK(BM_InfoLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GotoEveryLineId)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowSutraTexts)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoToReferenceAndShow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildLineIndex)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
