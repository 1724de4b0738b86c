// vesko3-tool convert: the reading conversion of the "한자음변환" page over standard input.

#include "ToolCommon.h"

#include "tools/ReadingConversion.h"

#include <QStringDecoder>

#include <cstdio>
#include <string>

namespace {

int Run(TToolArguments& arguments)
{
    arguments.DataFolder(); // claims --data, so that only unknown words remain
    if (std::optional<std::string> unknown = arguments.Unclaimed()) {
        PrintError("convert: unknown option " + *unknown);
        return ExitBadInput;
    }
    if (!arguments.Positional().empty()) {
        PrintError(std::string_view("convert: the source text is read from standard input"));
        return ExitBadInput;
    }
    TVesko3Session session;
    if (const int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;

    std::string bytes;
    char buffer[65536];
    while (std::size_t count = std::fread(buffer, 1, sizeof buffer, stdin))
        bytes.append(buffer, count);
    if (std::ferror(stdin)) {
        PrintError(std::string_view("convert: standard input could not be read"));
        return ExitBadInput;
    }

    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString source = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError()) {
        PrintError(std::string_view("convert: standard input is not UTF-8 text"));
        return ExitBadInput;
    }

    for (const std::u16string& line : ConvertReadings(source.toStdU16String(), session.Data.ReadingFile))
        PrintLine(std::u16string_view(line));
    return ExitSuccess;
}

const TToolCommand Command{"convert", "convert [--data DIR] < SOURCE.txt", &Run};

} // namespace
