// Cutting a concordance row's context, and finding a word in a shown text by the search's rules.

#include "search/Concordance.h"
#include "search/WordFind.h"

#include "SearchTestData.h"

#include <gtest/gtest.h>

TEST(ConcordanceContext, ShowsLineBreaksAndTabsAsSpacesAndStopsAtTheTextsEnds)
{
    TConcordanceRow row;
    char16_t room[16];
    ConcordanceContext(u"가\r나\t다라마", {4, 5}, 3, room, row);
    EXPECT_EQ(row.Left, u"\u0020나 "); // the break before 나 and the tab after it
    EXPECT_EQ(row.Text, u"다");
    EXPECT_EQ(row.Right, u"라마");

    ConcordanceContext(u"가나", {0, 2}, 5, room, row);
    EXPECT_EQ(row.Left, u"");
    EXPECT_EQ(row.Right, u"");
    ConcordanceContext(u"가나다", {1, 2}, 0, room, row);
    EXPECT_EQ(row.Line(), u"나");
}

TEST(ConcordanceContext, NeverSplitsASurrogatePair)
{
    TConcordanceRow row;
    char16_t room[16];
    // 𠀀 is two units; a width of 2 reaches into it on either side.
    ConcordanceContext(u"\U00020000甲乙丙\U00020000", {3, 4}, 2, room, row);
    EXPECT_EQ(row.Left, u"甲");
    EXPECT_EQ(row.Right, u"丙");
    ConcordanceContext(u"\U00020000甲乙丙\U00020000", {3, 4}, 3, room, row);
    EXPECT_EQ(row.Left, u"\U00020000甲");
    EXPECT_EQ(row.Right, u"丙\U00020000");
}

class WordFind : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TDataSetSource source;
        source.Suttas = {SearchSutta(1, u"가", {u"甲"}, {u"甲"})};
        source.VariantGroups[0] = {u"衆眾"};
        ParseSearchData(source, Data);
    }
    std::vector<THighlightRun> Find(std::u16string_view text, std::u16string_view word, int family, bool same = true)
    {
        return FindWordInText(Data.VariantFiles, text, word, family, same);
    }
    TLoadedData Data;
};

TEST_F(WordFind, StepsOverWhatTheSearchStepsOverInEachFamily)
{
    // Korean: only line breaks are stepped over; the word is trimmed as a memo line.
    EXPECT_EQ(Find(u"사리\r불 사리 불", u" 사리불 ", 0), (std::vector<THighlightRun>{{0, 4}}));
    // Chinese: spaces, full stops and breaks too, and a spaced word is cleaned first.
    EXPECT_EQ(Find(u"大比。\r丘 大比丘", u"大 比丘", 1), (std::vector<THighlightRun>{{0, 5}, {6, 9}}));
    EXPECT_TRUE(Find(u"가나", u" \u3000", 1).empty());
}

TEST_F(WordFind, FindsOverlappingOccurrencesAndVariantsOnlyWhenAllowed)
{
    EXPECT_EQ(Find(u"甲甲甲", u"甲甲", 2), (std::vector<THighlightRun>{{0, 2}, {1, 3}}));
    EXPECT_EQ(Find(u"大眾", u"大衆", 1), (std::vector<THighlightRun>{{0, 2}}));
    EXPECT_TRUE(Find(u"大眾", u"大衆", 1, false).empty());
    EXPECT_TRUE(Find(u"大眾", u"大衆", 0).empty()) << "variants never count in the Korean text";
}
