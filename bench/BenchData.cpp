#include "BenchData.h"

#include "data/DataSetSource.h"
#include "data/DemoDataSet.h"
#include "util/Messages.h"
#include "util/TextCodec.h"

#include <cstdio>
#include <random>

namespace {

// The sets are built once per run, on first use, and removed when the program ends.
class TBenchFolders
{
public:
    TBenchFolders()
    {
        std::random_device random;
        Root = std::filesystem::temp_directory_path() / ("vesko3-bench-" + std::to_string(random()));
    }
    ~TBenchFolders()
    {
        std::error_code error;
        std::filesystem::remove_all(Root, error);
    }

    const std::filesystem::path& Corpus()
    {
        if (!CorpusTried) {
            CorpusTried = true;
            TDataSetSource source;
            TSourceSkips skips;
            const std::filesystem::path from = CorpusSourceFolder();
            if (!from.empty()) Keep(ReadSourceFolder(from, source, skips), source, Root / "corpus", CorpusFolder);
        }
        return CorpusFolder;
    }

    const std::filesystem::path& ScaledCorpus()
    {
        if (!ScaledTried) {
            ScaledTried = true;
            TDataSetSource source;
            TSourceSkips skips;
            const std::filesystem::path from = CorpusSourceFolder();
            if (!from.empty()) {
                TResult read = ReadSourceFolder(from, source, skips);
                if (read)
                    for (TSourceSutta& sutta : source.Suttas)
                        for (std::u16string* body : {&sutta.HanBody, &sutta.KorBody, &sutta.SinsuBody})
                            *body = Repeated(*body, ScaleFactor);
                Keep(std::move(read), source, Root / "corpus-scaled", ScaledFolder);
            }
        }
        return ScaledFolder;
    }

    const std::filesystem::path& Demo()
    {
        if (!DemoTried) {
            DemoTried = true;
            TDataSetSource source;
            Keep(MakeDemoDataSet(TDemoOptions{}, source), source, Root / "demo", DemoFolder);
        }
        return DemoFolder;
    }

    const std::filesystem::path& Scratch() const { return Root; }

private:
    static constexpr int ScaleFactor = 10;

    static std::u16string Repeated(const std::u16string& body, int times)
    {
        if (body.empty()) return body;
        std::u16string result;
        result.reserve((body.size() + 2) * static_cast<std::size_t>(times));
        for (int k = 0; k < times; ++k) {
            if (k > 0) result += u"\r\n";
            result += body;
        }
        return result;
    }

    static void Keep(TResult made, const TDataSetSource& source, const std::filesystem::path& folder,
                     std::filesystem::path& result)
    {
        if (made) made = WriteDataSet(source, TCreationDate{}, folder);
        if (made)
            result = folder;
        else
            std::fprintf(stderr, "%s\n", Utf16ToUtf8(made.Message()).c_str());
    }

    std::filesystem::path Root, CorpusFolder, ScaledFolder, DemoFolder;
    bool CorpusTried = false, ScaledTried = false, DemoTried = false;
};

TBenchFolders& Folders()
{
    static TBenchFolders folders;
    return folders;
}

class TStderrBenchMessages : public IMessages
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override
    {
        std::fprintf(stderr, "%s: %s\n", Utf16ToUtf8(caption).c_str(), Utf16ToUtf8(text).c_str());
    }
};

} // namespace

std::filesystem::path CorpusSourceFolder()
{
    std::error_code error;
    const std::filesystem::path folder(VESKO3_CORPUS_DIR);
    return std::filesystem::is_directory(folder, error) ? folder : std::filesystem::path();
}

std::filesystem::path CorpusDataFolder()
{
    return Folders().Corpus();
}

std::filesystem::path ScaledCorpusDataFolder()
{
    return Folders().ScaledCorpus();
}

std::filesystem::path DemoDataFolder()
{
    return Folders().Demo();
}

std::filesystem::path BenchScratchFolder(std::string_view name)
{
    return Folders().Scratch() / std::string(name);
}

bool LoadBenchData(const std::filesystem::path& folder, TVesko3Session& session)
{
    if (folder.empty()) return false;
    TStderrBenchMessages messages;
    return session.LoadData(folder, messages);
}

std::int32_t LargestChineseSutra(const TLoadedData& data)
{
    std::int32_t largest = 0, size = -1;
    for (std::int32_t n = 0; n < data.TextFiles[0].SuttaTable.Count; ++n) {
        const std::int32_t length = data.TextFiles[KorFamily].SuttaTable.Items[n].BodyLength +
                                    data.TextFiles[SinsuFamily].SuttaTable.Items[n].BodyLength;
        if (length > size) largest = n, size = length;
    }
    return largest;
}
