// vesko3-tool char, compare and search --reading, run as a separate process.

#include "TestDataSet.h"
#include "ToolRun.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

namespace {

// The small set with a character file, and a 고려 text of sutra 2 that differs from its 신수 text.
TDataSetSource ReaderSource()
{
    TDataSetSource source = SmallDataSetSource();
    std::u16string& kor = source.Suttas[1].KorBody;
    kor.replace(kor.find(u'衆'), 1, u"眾");
    kor.replace(kor.find(u'目'), 1, u"");
    source.Characters = {
        {U'利', u"리이", 0, u"이로울 리", u"gain, advantage", u"18.5", 7},
        {U'弗', u"불", 0, u"아닐 불, 말 불", u"not, negative", u"4.4", 5},
        {U'舍', u"사", 0, u"집 사", u"house", u"135.2", 8},
        {U'衆', u"중", 0, u"무리 중", u"multitude", u"143.6", 12},
    };
    return source;
}

QStringList Args(std::initializer_list<const char*> words, const TTemporaryFolder& folder)
{
    QStringList list;
    for (const char* word : words)
        list << QString::fromUtf8(word);
    list << "--data" << Q(folder.Path());
    return list;
}

} // namespace

TEST(CharCommand, PrintsABlockPerDistinctHanjaAndExitsOneWithoutACharacterFile)
{
    TTemporaryFolder folder;
    WriteTestDataSet(ReaderSource(), folder.Path());
    const TToolRun run = RunTool(Args({"char", "衆舍a衆卽"}, folder));
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "字\t衆\n읽기\t중\n훈\t무리 중\n뜻\tmultitude\n부수\t143.6\n획수\t12\n이체\t眾\n고려\t0\n신수\t1\n\n"
              "字\t舍\n읽기\t사\n훈\t집 사\n뜻\thouse\n부수\t135.2\n획수\t8\n이체\t\n고려\t2\n신수\t2\n\n"
              "字\t卽\n읽기\t\n훈\t\n뜻\t\n부수\t\n획수\t\n이체\t即\n고려\t1\n신수\t1\n\n");

    TTemporaryFolder plain;
    WriteTestDataSet(SmallDataSetSource(), plain.Path());
    const TToolRun without = RunTool(Args({"char", "衆"}, plain));
    EXPECT_EQ(without.Exit, 1);
    EXPECT_EQ(without.Out, "");
    EXPECT_NE(without.Err.find("VESKO3.J0"), std::string::npos) << without.Err;
}

TEST(CompareCommand, PrintsEachDifferenceWithItsPositionsTextsAndKind)
{
    TTemporaryFolder folder;
    WriteTestDataSet(ReaderSource(), folder.Path());
    // The view text opens with the 17-unit title line "#제목:중아함 0001  선법경" and a blank line.
    const TToolRun run = RunTool(Args({"compare", "2"}, folder));
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "22\t22\t\t22\t23\t目\tother\n"
                       "28\t29\t眾\t29\t30\t衆\tvariant\n");
    EXPECT_EQ(RunTool(Args({"compare", "1"}, folder)).Out, "");
    EXPECT_EQ(RunTool(Args({"compare", "5"}, folder)).Exit, 2);
}

TEST(SearchCommand, FindsByReadingInTheChineseCanonsOnly)
{
    TTemporaryFolder folder;
    WriteTestDataSet(ReaderSource(), folder.Path());
    const TToolRun run = RunTool(Args({"search", "--canon", "2", "--reading", "사리불"}, folder));
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "2\t중아함 0001\t선법경\t4\n1 개\n");
    const TToolRun marks = RunTool(Args({"search", "--canon", "3", "--reading", "--marks", "2", "사이불"}, folder));
    EXPECT_EQ(marks.Out, "1\t19\t22\n2\t19\t22\n");
    EXPECT_EQ(RunTool(Args({"search", "--reading", "사리불"}, folder)).Exit, 2);

    TTemporaryFolder plain;
    WriteTestDataSet(SmallDataSetSource(), plain.Path());
    EXPECT_EQ(RunTool(Args({"search", "--canon", "2", "--reading", "사리불"}, plain)).Exit, 1);
}
