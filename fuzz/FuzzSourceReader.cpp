// Feeds arbitrary source folders (packed as SourceContainer.h describes) to the source reader.
// A source it accepts must pass the writer's checks, every file written from it must load, and
// writing the source out and reading it back must give the same source.

#include "FuzzCheck.h"
#include "RecordChecks.h"
#include "SourceContainer.h"
#include "data/DataSetSource.h"
#include "data/ReadingFile.h"
#include "data/TextFile.h"
#include "data/VariantFile.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

namespace fs = std::filesystem;

// Per process, so that parallel fuzzing jobs do not share folders; in memory where the system
// offers a folder there, since every run writes some twenty files.
fs::path WorkFolder(const char* name)
{
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    return base / ("vesko3-fuzz-source-" + std::to_string(::getpid())) / name;
}

// Removes the process's folders when the fuzzer exits.
struct TWorkFolderCleanup
{
    ~TWorkFolderCleanup()
    {
        std::error_code error;
        fs::remove_all(WorkFolder("in").parent_path(), error);
    }
} WorkFolderCleanup;

bool SameSource(const TDataSetSource& a, const TDataSetSource& b)
{
    if (a.Suttas.size() != b.Suttas.size() || a.Subjects.size() != b.Subjects.size()) return false;
    for (std::size_t i = 0; i < a.Suttas.size(); ++i) {
        const TSourceSutta &x = a.Suttas[i], &y = b.Suttas[i];
        if (x.Kind != y.Kind || x.Title != y.Title || x.Name != y.Name || x.HanBody != y.HanBody ||
            x.HanSubject != y.HanSubject || x.HanSummary != y.HanSummary || x.KorBody != y.KorBody ||
            x.SinsuBody != y.SinsuBody)
            return false;
    }
    for (std::size_t s = 0; s < a.Subjects.size(); ++s)
        if (a.Subjects[s].Name != b.Subjects[s].Name || a.Subjects[s].Suttas != b.Subjects[s].Suttas) return false;
    return a.Readings == b.Readings && a.VariantGroups[0] == b.VariantGroups[0] &&
           a.VariantGroups[1] == b.VariantGroups[1];
}

void RequireAllFilesLoad(const TDataSetSource& source)
{
    const std::int32_t count = static_cast<std::int32_t>(source.Suttas.size());
    for (int n = 0; n < TextFileCount; ++n) {
        TVesko_File file;
        Require(ParseTextFile(SerializeTextFile(source, n, TCreationDate{}), n, count, file) == TDataFileStatus::Ok,
                "a written text file does not load");
        RequireConsistent(TextFileProblem(file, n));
    }
    for (const auto& groups : source.VariantGroups) {
        TVariantFile file;
        Require(ParseVariantFile(SerializeVariantFile(groups), file) == TDataFileStatus::Ok,
                "a written variant file does not load");
    }
    TReadingFile reading;
    Require(ParseReadingFile(SerializeReadingFile(source.Readings), reading) == TDataFileStatus::Ok,
            "the written reading file does not load");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path folder = WorkFolder("in"), copy = WorkFolder("out");
    UnpackSourceContainer(std::string_view(reinterpret_cast<const char*>(data), size), folder);
    TDataSetSource source;
    TSourceSkips skips;
    if (!ReadSourceFolder(folder, source, skips)) {
        Require(source.Suttas.empty() && source.Subjects.empty(), "a rejected source was kept");
        return 0;
    }
    Require(static_cast<bool>(CheckDataSetSource(source)), "an accepted source fails the writer's checks");
    RequireAllFilesLoad(source);

    std::error_code error;
    fs::remove_all(copy, error);
    Require(static_cast<bool>(WriteSourceFolder(source, copy)), "an accepted source cannot be written out");
    TDataSetSource again;
    Require(static_cast<bool>(ReadSourceFolder(copy, again, skips)), "a written source is rejected");
    Require(SameSource(source, again), "a written source reads back different");
    return 0;
}
