#include "search/SearchWords.h"

#include "SearchTestData.h"

#include <gtest/gtest.h>

namespace {

class TRecordedMessages : public IMessages
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override
    {
        Shown.push_back(caption + u"|" + text);
    }
    std::vector<std::u16string> Shown;
};

TWordCheck Collect(TSearchInfo& info, const std::vector<std::u16string>& lines)
{
    return CollectSearchWords(info, CleanSearchLines(lines, info.TitleIndex));
}

} // namespace

TEST(CleanSearchLine, DropsEveryIgnorableCharacterForChineseCanons)
{
    for (std::int32_t canon : {1, 2, 3})
        EXPECT_EQ(CleanSearchLine(u"大 比丘\u3002", canon), u"大比丘");
    EXPECT_EQ(CleanSearchLine(u"\u3000大\uFF0E比\r\n丘 ", 1), u"大比丘");
    // Tab and comma are not ignorable: the tab is trimmed only when the words are collected.
    EXPECT_EQ(CleanSearchLine(u"\t大,比", 1), u"\t大,比");
}

TEST(CleanSearchLine, OnlyTrimsForTheKoreanCanon)
{
    EXPECT_EQ(CleanSearchLine(u"  사리 불 ", 0), u"사리 불");
    EXPECT_EQ(CleanSearchLine(u"\t사리\u3000불。\r", 0), u"사리\u3000불。");
    EXPECT_EQ(CleanSearchLine(u" \t ", 0), u"");
}

TEST(CollectSearchWords, SkipsEmptyLinesAndStoresTrimmedWordsInOrder)
{
    TSearchInfo info;
    info.TitleIndex = 1;
    EXPECT_EQ(Collect(info, {u"", u"\t大比 ", u"  ", u"丘"}), TWordCheck::Accepted);
    ASSERT_EQ(info.WordCount, 2);
    EXPECT_EQ(SearchWord(info, 0), u"大比");
    EXPECT_EQ(SearchWord(info, 1), u"丘");
    EXPECT_EQ(info.Words[0][2], 0);
}

TEST(CollectSearchWords, AcceptsTwentyWordsAndRejectsTheTwentyFirst)
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < 20; ++i) {
        lines.push_back(u"단어" + std::u16string(1, char16_t(u'가' + i)));
        lines.push_back(u""); // empty lines between do not count
    }
    TSearchInfo info;
    EXPECT_EQ(Collect(info, lines), TWordCheck::Accepted);
    EXPECT_EQ(info.WordCount, 20);

    lines.push_back(u"하나 더");
    TSearchInfo more;
    EXPECT_EQ(Collect(more, lines), TWordCheck::TooMany);
    EXPECT_EQ(more.WordCount, 20); // the words before the message stay
}

TEST(CollectSearchWords, Accepts99UnitsAndRejects100EvenAsTheFirstLine)
{
    TSearchInfo info;
    EXPECT_EQ(Collect(info, {std::u16string(99, u'佛')}), TWordCheck::Accepted);
    EXPECT_EQ(SearchWord(info, 0).size(), 99u);

    TSearchInfo longer;
    EXPECT_EQ(Collect(longer, {std::u16string(100, u'佛'), u"比丘"}), TWordCheck::TooLong);
    EXPECT_EQ(longer.WordCount, 0);
    // Length counts after trimming.
    TSearchInfo padded;
    EXPECT_EQ(Collect(padded, {u"  " + std::u16string(99, u'가') + u"  "}), TWordCheck::Accepted);
}

TEST(CollectSearchWords, ReportsNoWordsForBlankLines)
{
    TSearchInfo info;
    EXPECT_EQ(Collect(info, {}), TWordCheck::NoWords);
    EXPECT_EQ(Collect(info, {u"  ", u"", u"\t"}), TWordCheck::NoWords);
    info.TitleIndex = 2;
    EXPECT_EQ(Collect(info, {u"\u3002\u3000"}), TWordCheck::NoWords);
}

TEST(ShowWordCheckMessage, ShowsEachMessageWithCaptionConfirm)
{
    TRecordedMessages messages;
    ShowWordCheckMessage(TWordCheck::Accepted, messages);
    ShowWordCheckMessage(TWordCheck::TooLong, messages);
    ShowWordCheckMessage(TWordCheck::TooMany, messages);
    ShowWordCheckMessage(TWordCheck::NoWords, messages);
    EXPECT_EQ(messages.Shown,
              (std::vector<std::u16string>{u"확인|단어 길이가 너무 깁니다.", u"확인|단어 개수가 너무 많습니다.",
                                           u"확인|검색할 단어가 입력되지 않았습니다."}));
}

TEST(BeginSearch, ClearsTheLastSearchAndKeepsTheWorkArraySizes)
{
    TSearchInfo info;
    SizeSearchWork(info, 50);
    info.HitCount = 3;
    info.HitFlags[2500] = 6;
    info.Work.Marks[49] = 1;
    info.Work.Positions[3] = 7;
    info.Work.OccurrenceCount = 4;
    SetWords(info, {u"가", u"나"});

    BeginSearch(info, {3, 2, 1, true});
    EXPECT_EQ(info.TitleIndex, 3);
    EXPECT_EQ(info.KindIndex, 2);
    EXPECT_EQ(info.SearchMode, 1);
    EXPECT_TRUE(info.SameCharacter);
    EXPECT_EQ(info.WordCount, 0);
    EXPECT_EQ(info.Words[1][0], 0);
    EXPECT_EQ(info.HitCount, 0);
    EXPECT_EQ(info.HitFlags[2500], 0);
    EXPECT_EQ(info.Work.WorkSize, 50);
    ASSERT_EQ(info.Work.Marks.size(), 50u);
    EXPECT_EQ(info.Work.Marks[49], 0);
    EXPECT_EQ(info.Work.Positions[3], 0);
    EXPECT_EQ(info.Work.OccurrenceCount, 0);
}
