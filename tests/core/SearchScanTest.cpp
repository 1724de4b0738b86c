#include "search/SearchScan.h"

#include "SearchTestData.h"
#include "data/LoadDriver.h"
#include "util/MyUtils.h"

#include <gtest/gtest.h>

namespace {

class TNoMessages : public IMessages
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override
    {
        Shown.push_back(caption + u"|" + text);
    }
    std::vector<std::u16string> Shown;
};

// Sutra 0 has 大比丘 in both editions (across a line break in the 고려대장경), sutra 1 only in
// the 고려대장경, sutra 2 nowhere; sutra 3 opens every text with the words.
TDataSetSource ScanSource()
{
    TDataSetSource source;
    source.Suttas = {
        SearchSutta(1, u"대비구\r\n중", {u"大比", u"丘衆"}, {u"大比丘衆"}),
        SearchSutta(2, u"비구", {u"爾時大比丘"}, {u"爾時比丘"}),
        SearchSutta(2, u"세존", {u"世尊"}, {u"世尊"}),
        SearchSutta(3, u"대비구 세존", {u"大比丘世尊"}, {u"大比丘世尊"}),
    };
    source.VariantGroups[0] = {u"衆眾"};
    return source;
}

class SearchScan : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ParseSearchData(ScanSource(), Data);
        SizeSearchWork(Info, 200);
    }
    // Runs the whole search with both scan methods and checks they agree.
    TWordCheck Search(const TSearchOptions& options, const std::vector<std::u16string>& lines)
    {
        TSearchInfo reference = Info;
        const TSearchOutcome outcome = SearchSutras(Data, Info, options, lines, Messages);
        const TSearchOutcome referenceOutcome =
            SearchSutras(Data, reference, options, lines, Messages, {}, TScanMethod::Reference);
        EXPECT_EQ(Info.HitFlags, reference.HitFlags);
        EXPECT_EQ(Info.HitCount, reference.HitCount);
        EXPECT_EQ(outcome.List.Rows.size(), referenceOutcome.List.Rows.size());
        return outcome.Check;
    }
    TLoadedData Data;
    TSearchInfo Info;
    TNoMessages Messages;
};

std::vector<std::int32_t> Progress(const TLoadedData& data, TSearchInfo& info, TScanMethod method)
{
    std::vector<std::int32_t> calls;
    ScanSutras(
        data, info, [&](std::int32_t examined) { calls.push_back(examined); }, method, 2);
    return calls;
}

} // namespace

TEST_F(SearchScan, CountsASutraFoundInBothEditionsOnceWithFlags6)
{
    ASSERT_EQ(Search({3, 0, 0, true}, {u"大 比丘。"}), TWordCheck::Accepted);
    EXPECT_EQ(Info.HitFlags[0], 6);
    EXPECT_EQ(Info.HitFlags[1], 2);
    EXPECT_EQ(Info.HitFlags[2], 0);
    EXPECT_EQ(Info.HitFlags[3], 6);
    EXPECT_EQ(Info.HitCount, 3);
}

TEST_F(SearchScan, FlagsTheSearchedFamilyOnly)
{
    Search({0, 0, 0, true}, {u"비구"});
    EXPECT_EQ(HitPositions(Info, Data), (std::vector<std::int32_t>{0, 1, 3}));
    Search({0, 0, 0, true}, {u"  대비구중 "});
    EXPECT_EQ(Info.HitFlags[0], 1);
    EXPECT_EQ(Info.HitCount, 1);
    Search({2, 0, 0, true}, {u"大比丘"});
    EXPECT_EQ(HitPositions(Info, Data), (std::vector<std::int32_t>{0, 3}));
    EXPECT_EQ(Info.HitFlags[3], 4);
    // Variants count in the Chinese texts when the option is on.
    Search({3, 0, 0, true}, {u"眾"});
    EXPECT_EQ(HitPositions(Info, Data), (std::vector<std::int32_t>{0}));
    Search({3, 0, 0, false}, {u"眾"});
    EXPECT_EQ(Info.HitCount, 0);
}

TEST_F(SearchScan, KeepsToTheChosenCollection)
{
    Search({1, 2, 0, true}, {u"比丘"});
    EXPECT_EQ(HitPositions(Info, Data), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(SearchProgressTotal(Data, 2), 2);
    EXPECT_EQ(SearchProgressTotal(Data, 0), 4);
}

TEST_F(SearchScan, ListsOnlySutrasWithEveryWordInAllWordsMode)
{
    Search({1, 0, 1, true}, {u"大比丘", u"世尊", u"爾時"});
    EXPECT_EQ(Info.HitCount, 0);
    Search({1, 0, 0, true}, {u"大比丘", u"世尊", u"爾時"});
    EXPECT_EQ(Info.HitCount, 4);
    Search({1, 0, 1, true}, {u"大比丘", u"世尊"});
    EXPECT_EQ(HitPositions(Info, Data), (std::vector<std::int32_t>{3}));
}

TEST_F(SearchScan, RejectedWordsScanNothing)
{
    TSearchOutcome outcome = SearchSutras(Data, Info, {1, 0, 0, true}, {u" 。", u""}, Messages);
    EXPECT_EQ(outcome.Check, TWordCheck::NoWords);
    EXPECT_TRUE(outcome.CleanedLines.empty());
    outcome = SearchSutras(Data, Info, {1, 0, 0, true}, {u"大 比", std::u16string(100, u'丘')}, Messages);
    EXPECT_EQ(outcome.Check, TWordCheck::TooLong);
    EXPECT_EQ(outcome.CleanedLines, (std::vector<std::u16string>{u"大比", std::u16string(100, u'丘')}));
    EXPECT_TRUE(outcome.List.Rows.empty());
    EXPECT_EQ(Info.HitCount, 0);
    EXPECT_EQ(Info.WordCount, 1);
    EXPECT_EQ(SearchSutras(Data, Info, {1, 0, 0, true}, std::vector<std::u16string>(21, u"丘"), Messages).Check,
              TWordCheck::TooMany);
    EXPECT_EQ(Messages.Shown,
              (std::vector<std::u16string>{u"확인|검색할 단어가 입력되지 않았습니다.", u"확인|단어 길이가 너무 깁니다.",
                                           u"확인|단어 개수가 너무 많습니다."}));
}

TEST_F(SearchScan, ListsHitsInCatalogueOrderWithTheirCount)
{
    Search({1, 0, 0, true}, {u"世尊"});
    const TCatalogueList list = SearchResultList(Data, Info);
    EXPECT_EQ(list.RowCount, 2);
    ASSERT_EQ(list.Rows.size(), 2u);
    EXPECT_EQ(list.Rows[0].Cells, (std::array<std::u16string, 3>{u"3", u"제목", u"이름"}));
    EXPECT_EQ(list.Rows[1].Position, 3);
    EXPECT_EQ(list.CountText, u"2 개");

    Search({1, 0, 0, true}, {u"無"});
    EXPECT_EQ(SearchResultList(Data, Info).RowCount, 0);
    EXPECT_EQ(SearchResultList(Data, Info).CountText, u"0 개");
}

TEST_F(SearchScan, TellsTheWindowEachStepInTheOrderItShowsThem)
{
    // The memo is rewritten before a rejection's message box opens over it, the bar gets its
    // maximum before the first progress call, and the list comes with the outcome.
    std::vector<std::u16string> events;
    TSearchFeedback feedback;
    feedback.LinesCleaned = [&](const std::vector<std::u16string>& lines, TWordCheck) {
        events.push_back(u"lines " + DecimalText(static_cast<std::int64_t>(lines.size())) + u" messages " +
                         DecimalText(static_cast<std::int64_t>(Messages.Shown.size())));
    };
    feedback.ScanStarting = [&](std::int32_t total) { events.push_back(u"total " + DecimalText(total)); };
    feedback.Progress = [&](std::int32_t examined) { events.push_back(u"at " + DecimalText(examined)); };
    feedback.ScanFinished = [&] { events.push_back(u"done"); };

    const TSearchOutcome found = SearchSutras(Data, Info, {3, 2, 0, true}, {u"大比丘", u" "}, Messages, feedback);
    EXPECT_EQ(events, (std::vector<std::u16string>{u"lines 2 messages 0", u"total 2", u"at 0", u"done"}));
    EXPECT_EQ(found.List.CountText, u"1 개");
    ASSERT_EQ(found.List.Rows.size(), 1u);
    EXPECT_EQ(found.List.Rows[0].Position, 1);

    events.clear();
    EXPECT_EQ(SearchSutras(Data, Info, {3, 0, 0, true}, {u"　"}, Messages, feedback).Check, TWordCheck::NoWords);
    EXPECT_EQ(events, (std::vector<std::u16string>{u"lines 0 messages 0"}));
    EXPECT_EQ(Messages.Shown.size(), 1u);
}

TEST(SearchScanProgress, ReportsEveryFiftiethSutraAlikeForBothMethods)
{
    // 100 sutras of collection 1 and a last one of collection 2: scanning collection 1, the
    // loop meets 100 examined sutras once more at the last entry.
    TDataSetSource source;
    for (int i = 0; i < 101; ++i)
        source.Suttas.push_back(SearchSutta(i < 100 ? 1 : 2, u"가", {u"甲"}, {u"乙"}));
    TLoadedData data;
    ParseSearchData(source, data);
    TSearchInfo info;
    for (auto [kind, expected] :
         {std::pair{1, std::vector<std::int32_t>{0, 50, 100}}, std::pair{2, std::vector<std::int32_t>{0}},
          std::pair{0, std::vector<std::int32_t>{0, 50, 100}}}) {
        BeginSearch(info, {1, kind, 0, true});
        SetWords(info, {u"甲"});
        EXPECT_EQ(Progress(data, info, TScanMethod::Reference), expected) << "kind " << kind;
        EXPECT_EQ(Progress(data, info, TScanMethod::Fast), expected) << "kind " << kind;
    }
}

TEST(SearchTimeText, ShowsSecondsAndHundredthsOnly)
{
    EXPECT_EQ(SearchTimeText(3070), u"3.07초");
    EXPECT_EQ(SearchTimeText(65000), u"5.00초");
    EXPECT_EQ(SearchTimeText(999), u"0.99초");
    EXPECT_EQ(SearchTimeText(-1000), u"59.00초"); // ended past midnight
}

TEST_F(SearchScan, PrepareSearchSizesTheWorkArraysAndIndexesTheseDataOnly)
{
    TSearchInfo info;
    PrepareSearch(info, Data);
    EXPECT_EQ(info.Work.WorkSize, LargestTextSize(Data) + 100);
    EXPECT_EQ(info.Work.Marks.size(), std::size_t(info.Work.WorkSize));
    auto body = [&](const TLoadedData& data, int family, std::int32_t i, std::int32_t extra = 0) {
        const TSuttaEntry& e = data.TextFiles[family].SuttaTable.Items[i];
        const auto found = FindSearchedBody(info.Index, data, family, i, e.BodyStart, e.BodyLength + extra);
        return found ? std::u16string(found->Text) : u"(none)";
    };
    // What the matcher looks at: no line heads, line breaks or ignorable characters.
    EXPECT_EQ(body(Data, 1, 0), u"大比丘衆");
    EXPECT_EQ(body(Data, 2, 1), u"爾時比丘");
    EXPECT_EQ(body(Data, 0, 3), u"대비구 세존");
    EXPECT_EQ(body(Data, 0, 0), u"대비구중");
    EXPECT_EQ(body(Data, 1, 2, 1), u"(none)");

    // Other data, even of the same shape, never use this index.
    TLoadedData other;
    ParseSearchData(ScanSource(), other);
    EXPECT_EQ(body(other, 1, 2), u"(none)");
    BeginSearch(info, {1, 0, 0, true});
    SetWords(info, {u"世尊"});
    ScanSutras(other, info);
    EXPECT_EQ(HitPositions(info, other), (std::vector<std::int32_t>{2, 3}));
}
