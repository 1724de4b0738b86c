#include "search/SearchHit.h"

#include "SearchTestData.h"
#include "browse/SutraTexts.h"
#include "search/Concordance.h"
#include "search/SearchScan.h"

#include <gtest/gtest.h>

namespace {

class SearchHit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TDataSetSource source;
        TSourceSutta first = SearchSutta(1, u"사리\r\n불과 사리불", {u"如是", u"我聞衆"}, {u"我聞"});
        first.Name = u"사리불경"; // the title line holds the word too
        source.Suttas = {first, SearchSutta(1, u"목건련", {u"比丘"}, {u"如是"}),
                         SearchSutta(1, u"가", {u"舍利", u"弗。舍利弗", u"舍利弗"}, {u"如是"})};
        source.VariantGroups[0] = {u"衆眾"};
        ParseSearchData(source, Data);
        SizeSearchWork(Info, 200);
    }
    // Searches and returns the runs of sutra n, with offsets made relative to the body.
    std::vector<TFamilyRuns> Hits(const TSearchOptions& options, const std::vector<std::u16string>& words,
                                  std::int32_t n)
    {
        BeginSearch(Info, options);
        SetWords(Info, words);
        ScanSutras(Data, Info);
        return SearchHitRuns(Data, Info, n);
    }
    std::int32_t BodyOffset(std::int32_t n) { return HighlightStart(TitleLine(Data.TextFiles[0], n)) - 1; }

    TLoadedData Data;
    TSearchInfo Info;
};

} // namespace

TEST_F(SearchHit, HighlightsAWordAcrossALineBreakInTwoPiecesAndNeverTheTitle)
{
    const std::vector<TFamilyRuns> hits = Hits({0, 0, 0, true}, {u"사리불"}, 0);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Family, 0);
    // Body "사리\r불과 사리불": 사리 | 불 after the one-character break | 사리불.
    const std::int32_t b = BodyOffset(0);
    EXPECT_EQ(hits[0].Runs, (std::vector<THighlightRun>{{b, b + 2}, {b + 3, b + 4}, {b + 6, b + 9}}));
}

TEST_F(SearchHit, CountsAnOccurrenceBrokenByALineBreakOnceAndTheConcordanceShowsItWhole)
{
    // 고려대장경 view body "舍利\r弗。舍利弗\r舍利弗": 舍利|弗 is one occurrence in two pieces;
    // the 舍利弗 ending a line and the one starting the next are two, as are those around 。.
    const std::vector<TFamilyRuns> hits = Hits({1, 0, 0, true}, {u"舍利弗"}, 2);
    ASSERT_EQ(hits.size(), 1u);
    const std::int32_t b = BodyOffset(2);
    EXPECT_EQ(hits[0].Runs, (std::vector<THighlightRun>{{b, b + 2}, {b + 3, b + 4}, {b + 5, b + 8}, {b + 9, b + 12}}));
    EXPECT_EQ(hits[0].Occurrences,
              (std::vector<THitOccurrence>{{{b, b + 4}, 0, 2}, {{b + 5, b + 8}, 2, 1}, {{b + 9, b + 12}, 3, 1}}));

    const TConcordance concordance = BuildConcordance(Data, Info, 2);
    EXPECT_EQ(concordance.Total, 3);
    ASSERT_EQ(concordance.Rows.size(), 3u);
    EXPECT_EQ(concordance.Rows[0].Run, (THighlightRun{b, b + 4}));
    EXPECT_EQ(concordance.Rows[0].Text, u"舍利 弗");
    EXPECT_EQ(concordance.Rows[0].Right, u"。舍");

    // In the Korean text the two pieces of 사리|불 are one occurrence too.
    const std::vector<TFamilyRuns> korean = Hits({0, 0, 0, true}, {u"사리불"}, 0);
    ASSERT_EQ(korean.size(), 1u);
    ASSERT_EQ(korean[0].Occurrences.size(), 2u);
    EXPECT_EQ(korean[0].Occurrences[0].RunCount, 2u);
}

TEST_F(SearchHit, HighlightsTheFirstBodyCharacterAndVariantMatches)
{
    const std::vector<TFamilyRuns> hits = Hits({1, 0, 0, true}, {u"如是", u"聞眾"}, 0);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].Family, 1);
    // 고려대장경 view body: "如是\r我聞衆".
    const std::int32_t b = BodyOffset(0);
    EXPECT_EQ(hits[0].Runs, (std::vector<THighlightRun>{{b, b + 2}, {b + 4, b + 6}}));
}

TEST_F(SearchHit, HighlightsOnlyTheEditionsThatHoldTheWords)
{
    const std::vector<TFamilyRuns> first = Hits({3, 0, 0, true}, {u"我聞"}, 0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].Family, 1);
    EXPECT_EQ(first[1].Family, 2);
    EXPECT_EQ(first[1].Runs, (std::vector<THighlightRun>{{BodyOffset(0), BodyOffset(0) + 2}}));

    const std::vector<TFamilyRuns> second = Hits({3, 0, 0, true}, {u"比丘"}, 1);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].Family, 1);
    EXPECT_TRUE(Hits({3, 0, 0, true}, {u"比丘"}, 0).empty()); // not among the hits
    EXPECT_TRUE(SearchHitRuns(Data, Info, 7).empty());
}

TEST(SearchHitTab, LeavesTheTabsThatShowTheSearchedTexts)
{
    const int stay = -1;
    // Rows: canon 0 to 3; columns: active tab 0 to 6.
    const int expected[4][7] = {{stay, stay, 1, 1, 1, 1, 1},
                                {stay, 2, stay, 2, 2, 2, 2},
                                {stay, 3, 3, stay, 3, 3, 3},
                                {stay, 0, stay, stay, 0, 0, 0}};
    for (int canon = 0; canon < 4; ++canon)
        for (int tab = 0; tab < 7; ++tab)
            EXPECT_EQ(SearchHitTab(canon, tab), expected[canon][tab]) << canon << " " << tab;
}

TEST(HighlightStart, CountsEachLineBreakOfTheTitleLineOnce)
{
    EXPECT_EQ(HighlightStart(u"#제목:가  나\r\n\r\n"), 11);
}
