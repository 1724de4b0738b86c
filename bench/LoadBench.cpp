// Loading the six data files of the shared corpus and of the default demo set, against
// reading the same files' bytes alone as the baseline; the corpus as the command-line tool
// loads it, its texts used in place from the files; the session's whole load, search
// prepared; and making the two sets.

#include "BenchData.h"

#include "data/DataSetSource.h"
#include "data/DemoDataSet.h"
#include "data/LoadDriver.h"
#include "data/Vesko3Common.h"
#include "util/BulkMemory.h"
#include "util/Files.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The yardstick: each file opened and read whole with one read into a buffer of its size,
// left unfilled before the read and taken from the system as the loaders take their text
// buffers, so that both pay alike for fresh pages: the least any loader must do.
std::int64_t ReadAllBytes(const std::filesystem::path& folder)
{
    std::int64_t total = 0;
    auto read = [&](std::u16string_view name) {
        TFileReader file;
        if (file.Open(folder / std::filesystem::path(std::u16string(name))) != TFileRead::Ok) return;
        const auto size = static_cast<std::size_t>(file.Size());
        std::vector<std::uint8_t, TBulkAllocator<std::uint8_t>> bytes;
        bytes.resize(size);
        if (!file.ReadAt(0, bytes.data(), size)) return;
        benchmark::DoNotOptimize(bytes.data());
        total += static_cast<std::int64_t>(size);
    };
    for (std::u16string_view name : TextFileNames)
        read(name);
    for (std::u16string_view name : VariantFileNames)
        read(name);
    read(ReadingFileName);
    return total;
}

void ReadBytesOnly(benchmark::State& state, const std::filesystem::path& folder)
{
    if (folder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    std::int64_t bytes = 0;
    for (auto _ : state)
        bytes = ReadAllBytes(folder);
    state.SetBytesProcessed(state.iterations() * bytes);
}

// The six loaders alone, without preparing the search.
void LoadAll(benchmark::State& state, const std::filesystem::path& folder, TLoadOptions options = {})
{
    if (folder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    struct TSilent : IMessages
    {
        void Show(const std::u16string&, const std::u16string&) override {}
    } messages;
    for (auto _ : state) {
        auto loaded = std::make_unique<TLoadedData>();
        bool failed = false;
        TLoadContext context{folder, messages, failed, nullptr, options};
        if (!LoadAllDataFiles(context, *loaded)) {
            state.SkipWithError("loading failed");
            return;
        }
        benchmark::DoNotOptimize(loaded->TextFiles[0].Text.data());
    }
}

// What the window does once it is shown: the six files loaded and the search prepared.
void LoadSession(benchmark::State& state, const std::filesystem::path& folder)
{
    if (folder.empty()) {
        state.SkipWithError("data set not available");
        return;
    }
    for (auto _ : state) {
        auto loaded = std::make_unique<TVesko3Session>();
        if (!LoadBenchData(folder, *loaded)) {
            state.SkipWithError("loading failed");
            return;
        }
        benchmark::DoNotOptimize(loaded->SearchInfo.Index.Families[0].get());
    }
}

void BM_ReadCorpusBytes(benchmark::State& state)
{
    ReadBytesOnly(state, CorpusDataFolder());
}

void BM_LoadCorpus(benchmark::State& state)
{
    LoadAll(state, CorpusDataFolder());
}

void BM_LoadCorpusInPlace(benchmark::State& state)
{
    LoadAll(state, CorpusDataFolder(), {.NameOrder = false, .MapTexts = true});
}

void BM_LoadSessionCorpus(benchmark::State& state)
{
    LoadSession(state, CorpusDataFolder());
}

void BM_ReadDemoBytes(benchmark::State& state)
{
    ReadBytesOnly(state, DemoDataFolder());
}

void BM_LoadDemo(benchmark::State& state)
{
    LoadAll(state, DemoDataFolder());
}

// The corpus source folder into memory, without writing.
void BM_ReadCorpusSource(benchmark::State& state)
{
    const std::filesystem::path from = CorpusSourceFolder();
    if (from.empty()) {
        state.SkipWithError("corpus not available");
        return;
    }
    for (auto _ : state) {
        TDataSetSource source;
        TSourceSkips skips;
        if (!ReadSourceFolder(from, source, skips)) {
            state.SkipWithError("corpus rejected");
            return;
        }
        benchmark::DoNotOptimize(source.Suttas.data());
    }
}

// What `vesko3-tool build` does with the corpus: read the sources, write the six files.
void BM_BuildCorpus(benchmark::State& state)
{
    const std::filesystem::path from = CorpusSourceFolder();
    if (from.empty()) {
        state.SkipWithError("corpus not available");
        return;
    }
    const std::filesystem::path out = BenchScratchFolder("build-corpus");
    for (auto _ : state) {
        TDataSetSource source;
        TSourceSkips skips;
        TResult built = ReadSourceFolder(from, source, skips);
        if (built) built = WriteDataSet(source, TCreationDate{}, out);
        if (!built) {
            state.SkipWithError("build failed");
            return;
        }
    }
}

// What `vesko3-tool demo` does by default: make the set, write the six files.
void BM_MakeDemo(benchmark::State& state)
{
    const std::filesystem::path out = BenchScratchFolder("make-demo");
    for (auto _ : state) {
        TDataSetSource source;
        TResult made = MakeDemoDataSet(TDemoOptions{}, source);
        if (made) made = WriteDataSet(source, TCreationDate{}, out);
        if (!made) {
            state.SkipWithError("demo failed");
            return;
        }
    }
}

BENCHMARK(BM_ReadCorpusBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCorpusInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSessionCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDemoBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDemo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCorpusSource)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeDemo)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
