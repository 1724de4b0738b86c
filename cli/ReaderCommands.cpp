// compare, char: the editions compared and a character at a glance, as the window shows them.

#include "ToolCommon.h"

#include "data/CharacterFile.h"
#include "browse/CharacterCard.h"
#include "search/EditionCompare.h"
#include "util/MyUtils.h"
#include "util/MyWideString.h"
#include "util/TextCodec.h"

#include <cstdint>

namespace {

std::u16string Number(std::int64_t value)
{
    return DecimalText(value);
}

// A piece of a view text on one line of output: line breaks and tabs become spaces, as the
// concordance prints them.
std::u16string OneLine(std::u16string_view text, std::int32_t begin, std::int32_t end)
{
    std::u16string piece(text.substr(begin, end - begin));
    for (char16_t& c : piece)
        if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
    return piece;
}

int RunCompare(TToolArguments& arguments)
{
    if (arguments.Positional().empty()) return ArgumentError(arguments, u"경전 번호가 있어야 합니다.");
    const std::optional<std::int32_t> number = SutraNumberArgument(arguments, arguments.Positional()[0]);
    if (!number) return ExitBadInput;
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    if (!InCatalogue(arguments, session, *number)) return ExitBadInput;

    const TEditionComparison comparison = CompareEditions(session.Data, static_cast<std::int32_t>(*number - 1));
    for (const TEditionDifference& d : comparison.Differences)
        PrintLine(Number(d.KorBegin) + u"\t" + Number(d.KorEnd) + u"\t" +
                  OneLine(comparison.Kor, d.KorBegin, d.KorEnd) + u"\t" + Number(d.SinsuBegin) + u"\t" +
                  Number(d.SinsuEnd) + u"\t" + OneLine(comparison.Sinsu, d.SinsuBegin, d.SinsuEnd) + u"\t" +
                  (d.Variant ? u"variant" : u"other"));
    return ExitSuccess;
}

int RunChar(TToolArguments& arguments)
{
    if (arguments.Positional().empty()) return ArgumentError(arguments, u"글자가 있어야 합니다.");
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    if (!session.Data.CharacterFile.Loaded) {
        InputError(arguments, CharacterFileMissingText());
        return ExitLoadFailed;
    }

    for (char32_t c : DistinctHanCharacters(Utf8ToUtf16(arguments.Positional()[0]))) {
        const TCharacterCard card = MakeCharacterCard(session.Data, c);
        std::u16string readings;
        for (char16_t reading : card.Readings)
            readings += (readings.empty() ? u"" : u",") + std::u16string(1, reading);
        const TCharacterInfo none;
        const TCharacterInfo& info = card.Info ? *card.Info : none;
        PrintLine(u"字\t" + CodePointText(c));
        PrintLine(u"읽기\t" + readings);
        PrintLine(u"훈\t" + info.Gloss);
        PrintLine(u"뜻\t" + info.Meaning);
        PrintLine(u"부수\t" + info.Radical);
        PrintLine(u"획수\t" + (info.TotalStrokes > 0 ? Number(info.TotalStrokes) : std::u16string()));
        PrintLine(u"이체\t" + card.Variants);
        PrintLine(u"고려\t" + Number(card.KorCount));
        PrintLine(u"신수\t" + Number(card.SinsuCount));
        PrintLine(std::u16string_view());
    }
    return ExitSuccess;
}

const TToolCommand CompareCommand{
    {"compare",
     "compare [--data DIR] N",
     "list where the two Chinese editions of sutra N differ",
     {DataOption()},
     1,
     "Aligns the 고려대장경 and 신수대장경 view texts character by character and prints one line\n"
     "per difference (a maximal run of aligned characters that differ): start, end and text in\n"
     "고려대장경, start, end and text in 신수대장경, and \"variant\" when every substituted pair lies\n"
     "in one variant group, else \"other\", tab-separated. Positions count from 0 in the view\n"
     "texts with each line break one character, as search --marks gives them.",
     &RunCompare}};

const TToolCommand CharCommand{
    {"char",
     "char [--data DIR] TEXT",
     "print what the data set knows of each hanja of TEXT",
     {DataOption()},
     1,
     "For each distinct Han character of TEXT in order, prints lines of KEY TAB VALUE and an\n"
     "empty line: 字 the character, 읽기 its readings separated by commas (the conversion's\n"
     "first), 훈 the gloss, 뜻 the meaning, 부수 the radical and extra strokes, 획수 the total\n"
     "strokes, 이체 the other members of its variant groups, 고려 and 신수 its occurrences in\n"
     "each edition. Exit status 1 when the data set has no character file.",
     &RunChar}};

} // namespace
