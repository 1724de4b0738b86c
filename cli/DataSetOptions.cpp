#include "DataSetOptions.h"

#include "data/CharacterSource.h"
#include "data/DataSetSource.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <QDateTime>

TToolOption DateOption(std::string_view unlessGiven)
{
    return {"--date", "YYYY-MM-DDTHH:MM:SS", u"날짜",
            "the creation date written into the files; " + std::string(unlessGiven) + " unless given"};
}

std::optional<TCreationDate> CreationDateOption(const TToolArguments& arguments, const TCreationDate& fallback)
{
    const std::optional<std::string> text = arguments.Value("--date");
    if (!text) return fallback;
    std::optional<TCreationDate> date = ParseCreationDate(*text);
    if (!date) ArgumentError(arguments, u"날짜는 YYYY-MM-DDTHH:MM:SS 꼴이어야 합니다: " + Utf8ToUtf16(*text));
    return date;
}

TCreationDate LocalCreationDate()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate day = now.date();
    const QTime time = now.time();
    return {day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()};
}

void AddCharacterFile(TDataSetSource& source)
{
    if (const TResult added = AddCharacterTable(TCharacterTables{}, source); !added)
        PrintError(u"확인: 글자 정보 파일(" + std::u16string(CharacterFileName) + u") 없이 만듭니다: " +
                   added.Message());
}

int WriteDataSetAndCounts(const TToolArguments& arguments, const TResult& made, const TDataSetSource& source,
                          const TCreationDate& date, const std::filesystem::path& out)
{
    const TResult written = made ? WriteDataSet(source, date, out) : made;
    if (!written) return InputError(arguments, written.Message());
    PrintLine(u"sutras: " + DecimalText(static_cast<std::int64_t>(source.Suttas.size())));
    PrintLine(u"subjects: " + DecimalText(static_cast<std::int64_t>(source.Subjects.size())));
    if (!source.Characters.empty())
        PrintLine(u"characters: " + DecimalText(static_cast<std::int64_t>(source.Characters.size())));
    return ExitSuccess;
}
