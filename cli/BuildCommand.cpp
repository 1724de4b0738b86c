// vesko3-tool build: the six data files from a source folder.

#include "DataSetOptions.h"
#include "ToolCommon.h"

#include "data/DataSetSource.h"
#include "data/DataWriter.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

namespace {

constexpr std::string_view Usage = "build --from SRC --out DIR [--date YYYY-MM-DDTHH:MM:SS]   (date: now, local time)";

int RunBuild(TToolArguments& arguments)
{
    const std::optional<std::string> from = arguments.Value("--from");
    const std::optional<std::string> out = arguments.Value("--out");
    const std::optional<TCreationDate> date = CreationDateOption(arguments, LocalCreationDate());
    if (!date) return ExitBadInput;
    if (!from || !out) return UsageError(u"--from과 --out이 있어야 합니다.", Usage);
    if (!NoExtraArguments(arguments, Usage)) return ExitBadInput;

    TDataSetSource source;
    TSourceSkips skips;
    const TResult read = ReadSourceFolder(std::filesystem::path(Utf8ToUtf16(*from)), source, skips);
    if (const int code = WriteDataSetAndCounts(read, source, *date, *out); code != ExitSuccess) return code;
    PrintLine(u"skipped readings outside the BMP: " + DecimalText(skips.Readings));
    PrintLine(u"skipped variant characters outside the BMP: " + DecimalText(skips.VariantCharacters));
    return ExitSuccess;
}

const TToolCommand BuildCommand{"build", Usage, &RunBuild};

} // namespace
