#include "data/DemoDataSet.h"

#include "RecordingMessages.h"
#include "TestDataSet.h"
#include "data/DataSetSource.h"
#include "data/Vesko3Common.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool TablesPresent()
{
    const TDemoOptions options;
    return std::filesystem::exists(options.HanjaTable) && std::filesystem::exists(options.UnihanVariants);
}

TDataSetSource Demo(std::uint64_t seed, std::int32_t count)
{
    TDemoOptions options;
    options.Seed = seed;
    options.SuttaCount = count;
    TDataSetSource source;
    const std::u16string problem = MakeDemoDataSet(options, source).Message();
    EXPECT_EQ(Utf16ToUtf8(problem), "");
    return source;
}

std::vector<std::u16string_view> Lines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(u"\r\n", start);
        lines.push_back(text.substr(start, end == std::u16string_view::npos ? text.npos : end - start));
        if (end == std::u16string_view::npos) return lines;
        start = end + 2;
    }
}

bool IsSyllable(char16_t c)
{
    return c >= 0xAC00 && c <= 0xD7A3;
}

bool IsIdeograph(char16_t c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

class DemoDataSet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!TablesPresent()) GTEST_SKIP() << "hanja.txt or Unihan_Variants.txt.bz2 absent";
    }
};

} // namespace

TEST_F(DemoDataSet, IsTheSameForTheSameSeedAndDiffersForAnother)
{
    const TDataSetSource a = Demo(7, 40), b = Demo(7, 40), c = Demo(8, 40);
    const TCreationDate date;
    for (int f = 0; f < TextFileCount; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(SerializeTextFile(a, f, date), SerializeTextFile(b, f, date));
        EXPECT_NE(SerializeTextFile(a, f, date), SerializeTextFile(c, f, date));
    }
    EXPECT_EQ(SerializeReadingFile(a.Readings), SerializeReadingFile(b.Readings));
    for (int n = 0; n < VariantFileCount; ++n)
        EXPECT_EQ(SerializeVariantFile(a.VariantGroups[n]), SerializeVariantFile(b.VariantGroups[n]));
}

TEST_F(DemoDataSet, DefaultSetIsAtRealScaleAndLoadsCleanly)
{
    const TDataSetSource source = Demo(DefaultDemoSeed, DefaultDemoSuttaCount);
    ASSERT_EQ(source.Suttas.size(), 2000u);
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    TLoadRun run(folder.Path());
    ASSERT_TRUE(run.Loaded);
    EXPECT_TRUE(run.Messages.Shown.empty());
    for (int f = 0; f < TextFileCount; ++f) {
        const std::int32_t units = run.Data.TextFiles[f].Header.TextLength;
        EXPECT_GT(units, 2'000'000) << f;
        EXPECT_LT(units, 8'000'000) << f;
    }
    const TDataFileHeader& han = run.Data.TextFiles[0].Header;
    for (int k = 1; k <= 4; ++k)
        EXPECT_GT(han.KindCounts[k], 0) << k;
    EXPECT_GT(han.KindCounts[3], han.KindCounts[4]); // 잡아함 is the largest collection, as in the real canon
}

TEST_F(DemoDataSet, ChineseLinesCarryTheirHeadsAndKoreanReadsTheSameWords)
{
    const TDataSetSource source = Demo(3, 24);
    for (std::size_t i = 0; i < source.Suttas.size(); ++i) {
        SCOPED_TRACE(i);
        const TSourceSutta& s = source.Suttas[i];
        const std::vector<std::u16string_view> kor = Lines(s.KorBody), sinsu = Lines(s.SinsuBody);
        ASSERT_EQ(kor.size(), sinsu.size());
        std::size_t ideographs = 0;
        for (std::size_t n = 0; n < sinsu.size(); ++n) {
            ASSERT_GT(sinsu[n].size(), 18u);
            EXPECT_EQ(sinsu[n][0], u'T');
            EXPECT_EQ(sinsu[n][17], u'║');
            EXPECT_EQ(kor[n][0], u'K');
            EXPECT_EQ(kor[n][17], u';');
            EXPECT_EQ(kor[n].substr(1, 16), sinsu[n].substr(1, 16));
            EXPECT_EQ(kor[n].size(), sinsu[n].size());
            ideographs += std::count_if(sinsu[n].begin() + 18, sinsu[n].end(), IsIdeograph);
        }
        // One Hangul syllable per Chinese character: the Korean text is the reading of the same words.
        EXPECT_EQ(static_cast<std::size_t>(std::count_if(s.HanBody.begin(), s.HanBody.end(), IsSyllable)), ideographs);
        EXPECT_FALSE(s.HanSummary.empty());
        EXPECT_NE(s.HanSubject.find(s.Name), std::u16string::npos);
    }
}

TEST_F(DemoDataSet, NumbersTitlesWithinEachCollectionAndGroupsEverySutraUnderOneSubject)
{
    const TDataSetSource source = Demo(1, 300);
    EXPECT_EQ(source.Suttas.front().Title, u"장아함 0001");
    EXPECT_EQ(source.Suttas.front().Kind, 1);
    EXPECT_EQ(source.Suttas.back().Kind, 4);
    EXPECT_TRUE(std::is_sorted(source.Suttas.begin(), source.Suttas.end(),
                               [](const TSourceSutta& a, const TSourceSutta& b) { return a.Kind < b.Kind; }));
    const auto firstOfKind3 =
        std::find_if(source.Suttas.begin(), source.Suttas.end(), [](const TSourceSutta& s) { return s.Kind == 3; });
    ASSERT_NE(firstOfKind3, source.Suttas.end());
    EXPECT_EQ(firstOfKind3->Title, u"잡아함 0001");

    std::vector<int> seen(source.Suttas.size(), 0);
    for (const TSourceSubject& subject : source.Subjects) {
        EXPECT_LE(subject.Suttas.size(), 300u);
        for (std::int32_t i : subject.Suttas)
            ++seen[i];
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));
}

TEST_F(DemoDataSet, ReadsEachCharacterAsItsWordsMostOftenDo)
{
    const TDataSetSource source = Demo(1, 1);
    EXPECT_EQ(source.Readings[u'十'], u'십');
    EXPECT_EQ(source.Readings[u'行'], u'행');
    EXPECT_EQ(source.Readings[u'不'], u'불');
    EXPECT_EQ(source.Readings[u'A'], u'A');
}

TEST_F(DemoDataSet, WrittenAsSourcesReadsBackUnchanged)
{
    const TDataSetSource demo = Demo(5, 40);
    TTemporaryFolder folder;
    ASSERT_EQ(Utf16ToUtf8(WriteSourceFolder(demo, folder.Path()).Message()), "");
    TDataSetSource back;
    TSourceSkips skips;
    ASSERT_EQ(Utf16ToUtf8(ReadSourceFolder(folder.Path(), back, skips).Message()), "");
    const TCreationDate date;
    for (int f = 0; f < TextFileCount; ++f)
        EXPECT_EQ(SerializeTextFile(back, f, date), SerializeTextFile(demo, f, date)) << f;
    EXPECT_EQ(back.Readings, demo.Readings);
    EXPECT_EQ(back.VariantGroups[0], demo.VariantGroups[0]);
    EXPECT_EQ(back.VariantGroups[1], demo.VariantGroups[1]);
}

TEST(DemoDataSetTables, MissingTableIsNamedWithItsPackage)
{
    TDemoOptions options;
    options.HanjaTable = "/nonexistent/hanja.txt";
    TDataSetSource source;
    const std::string problem = Utf16ToUtf8(MakeDemoDataSet(options, source).Message());
    EXPECT_NE(problem.find("/nonexistent/hanja.txt"), std::string::npos) << problem;
    EXPECT_NE(problem.find("libhangul-data"), std::string::npos) << problem;
    EXPECT_TRUE(source.Suttas.empty());

    options.SuttaCount = 2501;
    EXPECT_FALSE(MakeDemoDataSet(options, source).Ok());
}

TEST(UnihanVariantGroups, JoinsLinkedCharactersIntoOneSortedGroupPerFamily)
{
    const std::array<std::vector<std::u16string>, 2> groups =
        UnihanVariantGroups("# comment\n"
                            "U+4E02\tkSemanticVariant\tU+4E01<kMatthews U+20000\n"
                            "U+4E00\tkZVariant\tU+4E01\r\n"
                            "U+4E10\tkSpecializedSemanticVariant\tU+4E11<kFenn\n"
                            "U+4E03\tkTraditionalVariant\tU+4E03 U+4E04\n"
                            "U+4E05\tkSimplifiedVariant\tU+4E03\n"
                            "U+4E06\tkSpoofingVariant\tU+4E07\n"
                            "U+4E08\tkTraditionalVariant\tU+4E08\n");
    EXPECT_EQ(groups[0], (std::vector<std::u16string>{u"\u4E00\u4E01\u4E02", u"\u4E10\u4E11"}));
    EXPECT_EQ(groups[1], (std::vector<std::u16string>{u"\u4E03\u4E04\u4E05"}));
}
