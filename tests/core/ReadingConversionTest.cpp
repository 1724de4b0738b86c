#include "tools/ReadingConversion.h"

#include "data/DataWriter.h"
#include "data/ReadingFile.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::u16string>;

// A table of length entries, all 0, with the given readings filled in.
TReadingFile Table(std::int32_t length, std::initializer_list<std::pair<char16_t, char16_t>> readings)
{
    TReadingFile file;
    file.Header.DataLength = length;
    file.Text.assign(static_cast<std::size_t>(length) + 10, u'\0');
    for (auto [unit, reading] : readings)
        file.Text[unit] = reading;
    return file;
}

const TReadingFile SmallTable = Table(0x10000, {{u'如', u'여'}, {u'是', u'시'}, {u'我', u'아'}, {u'聞', u'문'}});

} // namespace

TEST(ConvertReadings, GivesNothingForAnEmptySource)
{
    EXPECT_TRUE(ConvertReadings(u"", SmallTable).empty());
}

TEST(ConvertReadings, GivesEachLineItsConversionAndAnEmptyLine)
{
    EXPECT_EQ(ConvertReadings(u"如是\r\n我 聞\r\n聞", SmallTable),
              (TLines{u"如是", u"여시", u"", u"我 聞", u"아 문", u"", u"聞", u"문", u""}));
}

TEST(ConvertReadings, FinalBreakAddsNothingAndInnerEmptyLineGivesThreeEmptyLines)
{
    const TLines expected{u"如", u"여", u"", u"", u"", u"", u"是", u"시", u""};
    EXPECT_EQ(ConvertReadings(u"如\n\n是\n", SmallTable), expected);
    EXPECT_EQ(ConvertReadings(u"如\r\n\r\n是", SmallTable), expected);
}

TEST(ConvertReadingsText, IsTheLinesEachEndedByALineBreak)
{
    const TReadingFile table = Table(0x10000, {{u'如', u'여'}, {u'是', u'시'}, {u'\uffff', u'끝'}});
    const std::u16string_view sources[] = {u"", u"如是\r\n我 聞\r\n聞", u"如\n\n是\n", u"如\r\r\n\r是\r",
                                           u"\U00020000\uffff"};
    for (const std::u16string_view source : sources) {
        std::u16string joined;
        for (const std::u16string& line : ConvertReadings(source, table))
            joined += line + u"\n";
        EXPECT_EQ(ConvertReadingsText(source, table), joined);
    }
}

TEST(ConvertReadingLine, LeavesUnitsBelow256Alone)
{
    // Entries for low units would be wrong to use; they must never be looked up.
    TReadingFile table = Table(0x10000, {});
    for (char16_t unit = 0; unit < 256; ++unit)
        table.Text[unit] = u'X';
    const std::u16string line = u"Ab 09,\t~\u00e9\u00ff";
    EXPECT_EQ(ConvertReadingLine(line, table), line);
}

TEST(ConvertReadingLine, ConvertsEveryUnitFrom256OnIncludingSurrogateHalves)
{
    // U+20000 is D840 DC00; each half is looked up on its own, so the length stays.
    const TReadingFile table = Table(0x10000, {{0x0100, u'A'}, {0xD840, u'가'}, {0xDC00, u'나'}, {0xFFFF, u'다'}});
    EXPECT_EQ(ConvertReadingLine(u"\u0100\U00020000\uffff", table), u"A가나다");
}

TEST(ConvertReadingLine, KeepsUnitsBeyondAShortTableAndUnitsWithoutEntry)
{
    // Units from DataLength on: the ten zero units after the table and the rest beyond
    // the block alike keep their character, as does a unit whose entry is 0.
    TReadingFile table = Table(0x4E01, {{u'一', u'일'}});
    table.Text[0x4E01] = u'X'; // past DataLength even though the block holds a unit there
    EXPECT_EQ(ConvertReadingLine(u"ㄱ一丁七是", table), u"ㄱ일丁七是");

    TReadingFile lying = Table(0x100, {});
    lying.Header.DataLength = 0x10000; // claims more than the block holds
    EXPECT_EQ(ConvertReadingLine(u"一是", lying), u"一是");

    EXPECT_EQ(ConvertReadingLine(u"一", TReadingFile{}), u"一");
}

TEST(ConvertReadingLine, UsesACompleteTableReadFromItsFile)
{
    std::vector<char16_t> readings(0x10000, u'\0');
    readings[u'一'] = u'일';
    readings[0xFFFF] = u'끝';
    const std::vector<std::uint8_t> bytes = SerializeReadingFile(readings);
    TReadingFile table;
    ASSERT_EQ(ParseReadingFile(bytes, table), TDataFileStatus::Ok);
    EXPECT_EQ(ConvertReadings(u"一 一\uffff", table), (TLines{u"一 一\uffff", u"일 일끝", u""}));
}
