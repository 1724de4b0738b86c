// Peak memory of loading a data set with the most subjects the format allows, as a ratio of
// the six files' size: a subject table must not cost many times what it takes on disk. Two
// sets bound the range: every subject empty (the smallest entries, so the largest share of
// per-entry overhead) and every subject full. The yardstick is the files' own size.
//
// The peak is the process's high-water mark (VmHWM), reset before each load through
// /proc/self/clear_refs, less the resident size just before it. One iteration per benchmark:
// a second would find pages the first left resident.

#include "BenchData.h"

#include "data/DataWriter.h"
#include "data/LoadDriver.h"
#include "data/Vesko3Common.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// A field of /proc/self/status in bytes; -1 when it cannot be read.
std::int64_t StatusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stoll(line.substr(field.size() + 1)) * 1024;
    return -1;
}

// Resets the high-water mark to the present resident size and returns that size; -1 when
// this system cannot.
std::int64_t ResetPeak()
{
#ifdef __GLIBC__
    // Freed heap pages still count as resident; a load reusing them would look cheaper.
    malloc_trim(0);
#endif
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return clear ? StatusBytes("VmRSS") : -1;
}

struct TSilentMessages : IMessages
{
    void Show(const std::u16string&, const std::u16string&) override {}
} Silent;

// suttaCount one-line sutras and subjectCount subjects of subjectSize sutras each. With 300
// sutras, the most a subject can list, the subject table is most of each text file.
TDataSetSource SubjectHeavySource(int suttaCount, int subjectCount, int subjectSize)
{
    TDataSetSource source;
    for (int i = 0; i < suttaCount; ++i) {
        TSourceSutta s;
        s.Kind = 1 + i % 4;
        s.Title = u"경 " + std::u16string(1, char16_t(u'가' + i % 100));
        s.Name = s.Title;
        s.HanBody = u"여시아문";
        s.KorBody = s.SinsuBody = u"如是我聞";
        source.Suttas.push_back(std::move(s));
    }
    for (int j = 0; j < subjectCount; ++j) {
        TSourceSubject subject{u"주제 " + std::u16string(1, char16_t(u'가' + j % 100)), {}};
        for (int k = 0; k < subjectSize; ++k)
            subject.Suttas.push_back((j + k) % suttaCount);
        source.Subjects.push_back(std::move(subject));
    }
    source.Readings.assign(65536, u'\0');
    return source;
}

std::int64_t FolderBytes(const std::filesystem::path& folder)
{
    std::int64_t total = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        total += static_cast<std::int64_t>(entry.file_size());
    return total;
}

bool WriteAndLoad(const TDataSetSource& source, const std::filesystem::path& folder,
                  std::unique_ptr<TVesko3Session>& session)
{
    session = std::make_unique<TVesko3Session>();
    return static_cast<bool>(WriteDataSet(source, TCreationDate{}, folder)) && LoadBenchData(folder, *session);
}

void LoadPeakRatio(benchmark::State& state, int subjectSize)
{
    // Every process builds some tables and caches once, on its first load (the name collation,
    // the code page converters): no cost of the data, so a first load of the same set pays them.
    const std::filesystem::path folder = BenchScratchFolder("subjects-" + std::to_string(subjectSize));
    std::unique_ptr<TVesko3Session> session;
    if (!WriteAndLoad(SubjectHeavySource(MaxJoojeSuttas, MaxJoojeCount, subjectSize), folder, session)) {
        state.SkipWithError("the data set could not be written or loaded");
        return;
    }
    session.reset();
    const std::int64_t fileBytes = FolderBytes(folder);
    double loaders = 0, whole = 0;
    for (auto _ : state) {
        auto data = std::make_unique<TLoadedData>();
        const std::int64_t before = ResetPeak();
        bool failed = false;
        TLoadContext context{folder, Silent, failed, nullptr, {}};
        if (before < 0 || !LoadAllDataFiles(context, *data)) {
            state.SkipWithError("the peak cannot be measured here, or loading failed");
            return;
        }
        loaders = double(StatusBytes("VmHWM") - before) / double(fileBytes);
        data.reset();

        session = std::make_unique<TVesko3Session>();
        const std::int64_t sessionBefore = ResetPeak();
        if (!session->LoadData(folder, Silent)) {
            state.SkipWithError("loading failed");
            return;
        }
        whole = double(StatusBytes("VmHWM") - sessionBefore) / double(fileBytes);
    }
    state.counters["file_MB"] = double(fileBytes) / 1e6;
    // The six loaders alone, and the session's whole load with the search prepared.
    state.counters["loaders_peak_per_file_byte"] = loaders;
    state.counters["session_peak_per_file_byte"] = whole;
}

void BM_LoadPeakEmptySubjects(benchmark::State& state)
{
    LoadPeakRatio(state, 0);
}

void BM_LoadPeakFullSubjects(benchmark::State& state)
{
    LoadPeakRatio(state, MaxJoojeSuttas);
}

} // namespace

BENCHMARK(BM_LoadPeakEmptySubjects)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LoadPeakFullSubjects)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
