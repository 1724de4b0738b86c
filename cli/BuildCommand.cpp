// vesko3-tool build: the six data files from a source folder.

#include "DataSetOptions.h"
#include "ToolCommon.h"

#include "data/DataSetSource.h"
#include "data/CharacterSource.h"
#include "data/DataWriter.h"
#include "util/MyUtils.h"

namespace {

int RunBuild(TToolArguments& arguments)
{
    const std::optional<std::filesystem::path> from = arguments.PathValue("--from");
    const std::optional<std::filesystem::path> out = arguments.PathValue("--out");
    const std::optional<TCreationDate> date = CreationDateOption(arguments, LocalCreationDate());
    if (!date) return ExitBadInput;
    if (!from || !out) return ArgumentError(arguments, u"--from과 --out이 있어야 합니다.");

    TDataSetSource source;
    TSourceSkips skips;
    const TResult read = ReadSourceFolder(*from, source, skips);
    if (read) AddCharacterFile(source);
    if (const int code = WriteDataSetAndCounts(arguments, read, source, *date, *out); code != ExitSuccess) return code;
    PrintLine(u"skipped readings outside the BMP: " + DecimalText(skips.Readings));
    PrintLine(u"skipped variant characters outside the BMP: " + DecimalText(skips.VariantCharacters));
    return ExitSuccess;
}

const TToolCommand BuildCommand{
    {"build",
     "build --from SRC --out DIR [--date YYYY-MM-DDTHH:MM:SS]",
     "write the six data files from a source folder",
     {{"--from", "SRC", u"소스 폴더", "the folder of UTF-8 sources"},
      {"--out", "DIR", u"폴더", "the folder the six data files are written into"},
      DateOption("now (local time)")},
     0,
     "Also writes the character file VESKO3.J0 from hanja.txt (libhangul-data) and Unihan\n"
     "(unicode-data) when this machine has them. Prints the counts of sutras, subjects and\n"
     "characters and of the characters outside the BMP left out.",
     &RunBuild}};

} // namespace
