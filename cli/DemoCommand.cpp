// vesko3-tool demo: a deterministic demo data set from the readings and variant tables of this machine.

#include "DataSetOptions.h"
#include "ToolCommon.h"

#include "data/DataSetSource.h"
#include "data/DemoDataSet.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <limits>

namespace {

// The fixed default date keeps the demo byte-for-byte reproducible.
const std::string Usage = "demo --out DIR [--sutras N] [--seed S] [--date YYYY-MM-DDTHH:MM:SS] [--source SRC]   (N 1-" +
                          std::to_string(MaxSuttaCount) + ", default " + std::to_string(DefaultDemoSuttaCount) +
                          "; S default " + std::to_string(DefaultDemoSeed) +
                          "; date default 2007-11-05T00:00:00; --source also writes the set's sources to SRC)";

int RunDemo(TToolArguments& arguments)
{
    const std::optional<std::string> out = arguments.Value("--out");
    const std::optional<std::string> sutras = arguments.Value("--sutras");
    const std::optional<std::string> seed = arguments.Value("--seed");
    const std::optional<std::string> sourceFolder = arguments.Value("--source");
    const std::optional<TCreationDate> date = CreationDateOption(arguments, TCreationDate{2007, 11, 5, 0, 0, 0});
    if (!date) return ExitBadInput;
    if (!out) return UsageError(u"--out이 있어야 합니다.", Usage);
    if (arguments.Flag("--sutras") && !sutras) return UsageError(u"--sutras 다음에 경전 수가 있어야 합니다.", Usage);
    if (arguments.Flag("--seed") && !seed) return UsageError(u"--seed 다음에 수가 있어야 합니다.", Usage);
    if (arguments.Flag("--source") && !sourceFolder) return UsageError(u"--source 다음에 폴더가 있어야 합니다.", Usage);
    if (!NoExtraArguments(arguments, Usage)) return ExitBadInput;

    TDemoOptions options;
    if (sutras) {
        const std::optional<long long> count = ParseInteger(*sutras, 1, MaxSuttaCount);
        if (!count)
            return UsageError(
                u"경전 수는 1에서 " + DecimalText(MaxSuttaCount) + u" 사이여야 합니다: " + Utf8ToUtf16(*sutras), Usage);
        options.SuttaCount = static_cast<std::int32_t>(*count);
    }
    if (seed) {
        const std::optional<long long> value = ParseInteger(*seed, 0, std::numeric_limits<long long>::max());
        if (!value) return UsageError(u"--seed는 0 이상의 정수여야 합니다: " + Utf8ToUtf16(*seed), Usage);
        options.Seed = static_cast<std::uint64_t>(*value);
    }

    TDataSetSource source;
    TResult made = MakeDemoDataSet(options, source);
    if (made && sourceFolder) made = WriteSourceFolder(source, std::filesystem::path(Utf8ToUtf16(*sourceFolder)));
    return WriteDataSetAndCounts(made, source, *date, *out);
}

const TToolCommand DemoCommand{"demo", Usage, &RunDemo};

} // namespace
