// The optional character file: its parser on whole, cut and altered bytes, the load that goes
// on without it, and the table made from hanja.txt and Unihan.

#include "data/CharacterFile.h"

#include "RecordingMessages.h"
#include "TestBytes.h"
#include "TestDataSet.h"
#include "data/CharacterSource.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::vector<TCharacterInfo> SomeCharacters()
{
    return {
        {U'佛', u"불", 0, u"부처 불", u"Buddha; of Buddhism", u"9.5", 7},
        {U'樂', u"낙락악요", 1, u"즐길 낙, 즐거울 락", u"happy, glad", u"75.11", 15},
        {U'訶', u"가하", -1, u"", u"", u"149.5", 12},
        {U'\U00020000', u"", -1, u"", u"(same as 上) above", u"1.1", 2},
    };
}

constexpr std::size_t BodyAt = HeaderSize;
constexpr std::size_t FirstEntryAt = BodyAt + 4;

} // namespace

TEST(CharacterFile, ReadsWhatTheWriterWroteAndFailsCleanlyOnEveryStrictPrefix)
{
    const TBytes bytes = SerializeCharacterFile(SomeCharacters(), TCreationDate{});
    TCharacterFile file;
    ASSERT_EQ(ParseCharacterFile(bytes, file), TDataFileStatus::Ok);
    EXPECT_TRUE(file.Loaded);
    EXPECT_EQ(file.Characters, SomeCharacters());
    ASSERT_NE(FindCharacter(file, U'\U00020000'), nullptr);
    EXPECT_EQ(FindCharacter(file, U'\U00020000')->Radical, u"1.1");
    EXPECT_EQ(FindCharacter(file, U'上'), nullptr);
    EXPECT_EQ(ReadingsConversionFirst(*FindCharacter(file, U'樂')),
              (std::vector<char16_t>{u'락', u'낙', u'악', u'요'}));

    for (std::size_t size = 0; size < bytes.size(); ++size) {
        TCharacterFile cut;
        EXPECT_NE(ParseCharacterFile(std::span(bytes.data(), size), cut), TDataFileStatus::Ok) << size;
        EXPECT_FALSE(cut.Loaded);
    }
}

TEST(CharacterFile, RejectsCountsLengthsAndValuesOutsideTheFormat)
{
    const TBytes sound = SerializeCharacterFile(SomeCharacters(), TCreationDate{});
    auto damaged = [&](std::size_t at, std::int32_t value) {
        TBytes bytes = sound;
        PutInt32(bytes, at, value);
        TCharacterFile file;
        return ParseCharacterFile(bytes, file) == TDataFileStatus::Damaged && !file.Loaded;
    };
    const std::size_t second = FirstEntryAt + CharacterEntrySize;
    // A count far beyond the body is refused before anything is allocated for it.
    EXPECT_TRUE(damaged(BodyAt, std::numeric_limits<std::int32_t>::max()));
    EXPECT_TRUE(damaged(BodyAt, -1));
    EXPECT_TRUE(damaged(DataLengthAt, std::numeric_limits<std::int32_t>::max()));
    EXPECT_TRUE(damaged(second, U'佛'));        // not ascending
    EXPECT_TRUE(damaged(FirstEntryAt, 0xD800)); // a surrogate is no character
    EXPECT_TRUE(damaged(FirstEntryAt, 0x110000));
    EXPECT_TRUE(damaged(second + 4, 4)); // the conversion's reading beyond the readings
    EXPECT_TRUE(damaged(second + 4, -2));
    EXPECT_TRUE(damaged(second + 8, -1)); // strokes
    EXPECT_TRUE(damaged(second + 12, 5)); // lengths that overrun the text area
    EXPECT_TRUE(damaged(second + 12, 3)); // or leave part of it unread
    EXPECT_TRUE(damaged(second + 16, std::numeric_limits<std::int32_t>::max()));
    EXPECT_TRUE(damaged(second + 16, -1));

    // A reading must be a Hangul syllable.
    std::vector<TCharacterInfo> latin = SomeCharacters();
    latin[0].Readings = u"b";
    TCharacterFile file;
    EXPECT_EQ(ParseCharacterFile(SerializeCharacterFile(latin, TCreationDate{}), file), TDataFileStatus::Damaged);
}

TEST(CharacterFile, LoadGoesOnWithoutADamagedFileAfterNamingItAndSaysNothingOfAnAbsentOne)
{
    TDataSetSource source = SmallDataSetSource();
    source.Characters = SomeCharacters();
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    {
        TLoadRun run(folder.Path());
        ASSERT_TRUE(run.Loaded);
        EXPECT_TRUE(run.Messages.Shown.empty());
        EXPECT_EQ(run.Data.CharacterFile.Characters, SomeCharacters());
    }

    const std::filesystem::path path = folder.Path() / "VESKO3.J0";
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
    {
        TLoadRun run(folder.Path());
        EXPECT_TRUE(run.Loaded);
        EXPECT_FALSE(run.LoadError);
        EXPECT_FALSE(run.Data.CharacterFile.Loaded);
        EXPECT_EQ(run.Data.TextFiles[0].SuttaTable.Count, 4);
        ASSERT_EQ(run.Messages.Shown.size(), 1u);
        EXPECT_NE(run.Messages.Shown[0].Text.find(u"VESKO3.J0"), std::u16string::npos);
        EXPECT_NE(run.Messages.Shown[0].Text.find(CharacterFileLeftOutText), std::u16string::npos);
    }

    // A set written again without characters takes the old file away.
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    EXPECT_FALSE(std::filesystem::exists(path));
    TLoadRun run(folder.Path());
    EXPECT_TRUE(run.Loaded);
    EXPECT_TRUE(run.Messages.Shown.empty());
    EXPECT_FALSE(run.Data.CharacterFile.Loaded);
}

TEST(CharacterSource, TakesHanjaReadingsThenUnihansThenOursAndMarksTheConversionsReading)
{
    const std::u16string hanja = u"# comment\n"
                                 u"가:訶:꾸짖을 가\n"
                                 u"가:可:옳을 가\n"
                                 u"낙:樂:즐길 낙\n"
                                 u"락:樂:즐거울 락\n"
                                 u"가:可能:\n"
                                 u"상:\U00020000:\n";
    const std::string readings = "U+8A36\tkHangul\t가:0N\n"
                                 "U+8A36\tkDefinition\tscold\n"
                                 "U+6A02\tkHangul\t악:0E 락:0E\n"
                                 "U+4E00\tkHangul\t일:0E\n";
    const std::string strokes = "U+8A36\tkRSUnicode\t149.5\nU+8A36\tkTotalStrokes\t12\n"
                                "U+20000\tkRSUnicode\t1.1 2.0\nU+20000\tkTotalStrokes\t2 3\n";
    std::vector<char16_t> conversion(65536, 0);
    conversion[u'訶'] = u'가';
    conversion[u'樂'] = u'락';
    conversion[u'佛'] = u'불'; // in no table: the conversion's reading is still there, marked

    const std::vector<TCharacterInfo> table =
        BuildCharacterTable({U'佛', U'樂', U'訶', U'\U00020000'}, hanja, readings, strokes, conversion);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0], (TCharacterInfo{U'佛', u"불", 0, u"", u"", u"", 0}));
    EXPECT_EQ(table[1], (TCharacterInfo{U'樂', u"낙락악", 1, u"즐길 낙, 즐거울 락", u"", u"", 0}));
    EXPECT_EQ(table[2], (TCharacterInfo{U'訶', u"가하", 0, u"꾸짖을 가", u"scold", u"149.5", 12}));
    EXPECT_EQ(table[3], (TCharacterInfo{U'\U00020000', u"상", -1, u"", u"", u"1.1", 2}));
}

TEST(CharacterSource, ListsTheHanCharactersOfTextsAndGroupsOnce)
{
    TDataSetSource source;
    TSourceSutta s;
    s.KorBody = u"K01n0001_p0001a01;佛說\U00020000。";
    s.SinsuBody = u"T01n0001_p0001a01║佛説";
    s.HanBody = u"불설 佛";
    source.Suttas.push_back(s);
    source.VariantGroups[0] = {u"說説"};
    source.VariantGroups[1] = {u"〇零"};
    EXPECT_EQ(DataSetHanCharacters(source), (std::vector<char32_t>{U'〇', U'佛', U'說', U'説', U'零', U'\U00020000'}));
}
