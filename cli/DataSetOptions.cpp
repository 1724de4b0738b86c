#include "DataSetOptions.h"

#include "data/DataSetSource.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <QDateTime>

std::optional<TCreationDate> CreationDateOption(TToolArguments& arguments, const TCreationDate& fallback)
{
    const std::optional<std::string> text = arguments.Value("--date");
    if (!text) {
        // Value() cannot tell an absent option from one missing its value.
        if (arguments.Flag("--date")) {
            PrintError(std::u16string_view(u"에러: --date 다음에 날짜가 있어야 합니다."));
            return std::nullopt;
        }
        return fallback;
    }
    std::optional<TCreationDate> date = ParseCreationDate(*text);
    if (!date) PrintError(u"에러: 날짜는 YYYY-MM-DDTHH:MM:SS 꼴이어야 합니다: " + Utf8ToUtf16(*text));
    return date;
}

TCreationDate LocalCreationDate()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate day = now.date();
    const QTime time = now.time();
    return {day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()};
}

int UsageError(std::u16string_view text, std::string_view usage)
{
    PrintError(u"에러: " + std::u16string(text));
    PrintError("usage: vesko3-tool " + std::string(usage));
    return ExitBadInput;
}

bool NoExtraArguments(TToolArguments& arguments, std::string_view usage)
{
    if (std::optional<std::string> word = arguments.Unclaimed()) {
        UsageError(u"알 수 없는 옵션입니다: " + Utf8ToUtf16(*word), usage);
        return false;
    }
    if (!arguments.Positional().empty()) {
        UsageError(u"알 수 없는 인자입니다: " + Utf8ToUtf16(arguments.Positional().front()), usage);
        return false;
    }
    return true;
}

int WriteDataSetAndCounts(const TResult& made, const TDataSetSource& source, const TCreationDate& date,
                          const std::string& out)
{
    const TResult written = made ? WriteDataSet(source, date, std::filesystem::path(Utf8ToUtf16(out))) : made;
    if (!written) {
        PrintError(u"에러: " + written.Message());
        return ExitBadInput;
    }
    PrintLine(u"sutras: " + DecimalText(static_cast<std::int64_t>(source.Suttas.size())));
    PrintLine(u"subjects: " + DecimalText(static_cast<std::int64_t>(source.Subjects.size())));
    return ExitSuccess;
}
