// vesko3-tool demo: a deterministic demo data set from the readings and variant tables of this machine.

#include "DataSetOptions.h"
#include "ToolCommon.h"

#include "data/CharacterSource.h"
#include "data/DataSetSource.h"
#include "data/DemoDataSet.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <limits>

namespace {

int RunDemo(TToolArguments& arguments)
{
    const std::optional<std::filesystem::path> out = arguments.PathValue("--out");
    const std::optional<std::string> sutras = arguments.Value("--sutras");
    const std::optional<std::string> seed = arguments.Value("--seed");
    const std::optional<std::filesystem::path> sourceFolder = arguments.PathValue("--source");
    // The fixed default date keeps the demo byte-for-byte reproducible.
    const std::optional<TCreationDate> date = CreationDateOption(arguments, TCreationDate{2007, 11, 5, 0, 0, 0});
    if (!date) return ExitBadInput;
    if (!out) return ArgumentError(arguments, u"--out이 있어야 합니다.");

    TDemoOptions options;
    if (sutras) {
        const std::optional<long long> count = ParseInteger(*sutras, 1, MaxSuttaCount);
        if (!count)
            return ArgumentError(arguments, u"경전 수는 1에서 " + DecimalText(MaxSuttaCount) + u" 사이여야 합니다: " +
                                                Utf8ToUtf16(*sutras));
        options.SuttaCount = static_cast<std::int32_t>(*count);
    }
    if (seed) {
        const std::optional<long long> value = ParseInteger(*seed, 0, std::numeric_limits<long long>::max());
        if (!value) return ArgumentError(arguments, u"--seed는 0 이상의 정수여야 합니다: " + Utf8ToUtf16(*seed));
        options.Seed = static_cast<std::uint64_t>(*value);
    }

    TDataSetSource source;
    TResult made = MakeDemoDataSet(options, source);
    if (made) AddCharacterFile(source);
    if (made && sourceFolder) made = WriteSourceFolder(source, *sourceFolder);
    return WriteDataSetAndCounts(arguments, made, source, *date, *out);
}

const TToolCommand DemoCommand{
    {"demo",
     "demo --out DIR [--sutras N] [--seed S] [--date YYYY-MM-DDTHH:MM:SS] [--source SRC]",
     "write a reproducible demonstration data set",
     {{"--out", "DIR", u"폴더", "the folder the six data files are written into"},
      {"--sutras", "N", u"경전 수",
       "the number of sutras, 1 to " + std::to_string(MaxSuttaCount) + "; " + std::to_string(DefaultDemoSuttaCount) +
           " unless given"},
      {"--seed", "S", u"수", "the seed the texts are made from; " + std::to_string(DefaultDemoSeed) + " unless given"},
      DateOption("2007-11-05T00:00:00"),
      {"--source", "SRC", u"폴더", "also write the set's sources into SRC, in the form build reads"}},
     0,
     "The same options give the same files, byte for byte. The character file VESKO3.J0 is\n"
     "written as build writes it.",
     &RunDemo}};

} // namespace
