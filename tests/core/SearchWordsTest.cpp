#include "search/SearchWords.h"

#include "SearchTestData.h"

#include <gtest/gtest.h>

namespace {

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
    // Length counts after trimming; the word is stored trimmed and ended by a 0 unit.
    TSearchInfo padded;
    EXPECT_EQ(Collect(padded, {u"", u"  " + std::u16string(99, u'가') + u"\t"}), TWordCheck::Accepted);
    EXPECT_EQ(SearchWord(padded, 0), std::u16string(99, u'가'));
    EXPECT_EQ(padded.Words[0][99], 0);
}

TEST(CollectSearchWords, ReportsNoWordsForBlankLines)
{
    TSearchInfo info;
    EXPECT_EQ(Collect(info, {}), TWordCheck::NoWords);
    EXPECT_EQ(Collect(info, {u"  ", u"", u"\t"}), TWordCheck::NoWords);
    info.TitleIndex = 2;
    EXPECT_EQ(Collect(info, {u"\u3002\u3000"}), TWordCheck::NoWords);
}
