#include "search/Matcher.h"

#include "SearchTestData.h"
#include "search/FastMatcher.h"

#include <gtest/gtest.h>

namespace {

// Marks of positions 1 to length as a string of 0 and 1, for readable expectations.
std::string MarkString(const TSearchInfo& info, std::size_t length)
{
    std::string marks;
    for (std::size_t p = 1; p <= length; ++p)
        marks += info.Work.Marks[p] ? '1' : '0';
    return marks;
}

struct TMatcherCase
{
    TSearchInfo Info;
    TVariantFiles Variants;

    TMatcherCase(std::int32_t titleIndex, const std::vector<std::u16string>& words, std::int32_t mode = 0)
    {
        Info.TitleIndex = titleIndex;
        Info.SearchMode = mode;
        Info.SameCharacter = true;
        SizeSearchWork(Info, 64);
        SetWords(Info, words);
    }
    void Groups(const std::vector<std::u16string>& groups)
    {
        ASSERT_EQ(ParseVariantFile(SerializeVariantFile(groups), Variants[0]), TDataFileStatus::Ok);
    }
    // MatchText, checked against the fast matcher's decision on the same text.
    bool Match(std::u16string_view text)
    {
        const bool result = MatchText(Info, Variants, text);
        EXPECT_EQ(TFastMatcher(Info, Variants).QualifiesText(text), result) << "fast matcher disagrees";
        return result;
    }
};

} // namespace

TEST(MatchText, FindsAWordAtTheVeryStartAndEndOfTheText)
{
    TMatcherCase c(1, {u"如是"});
    EXPECT_TRUE(c.Match(u"如是我聞"));
    EXPECT_EQ(MarkString(c.Info, 4), "1100");
    TMatcherCase last(1, {u"我聞"});
    EXPECT_TRUE(last.Match(u"如是我聞"));
    EXPECT_EQ(MarkString(last.Info, 4), "0011");
}

TEST(MatchText, FindsAndMarksOverlappingOccurrences)
{
    TMatcherCase c(1, {u"比比"});
    EXPECT_TRUE(c.Match(u"比比比"));
    EXPECT_EQ(c.Info.Work.OccurrenceCount, 2);
    EXPECT_EQ(MarkString(c.Info, 3), "111");
}

TEST(MatchText, RunsAcrossLineBreaksSpacesAndFullStopsInChinese)
{
    TMatcherCase c(1, {u"大比丘"});
    const std::u16string text = u"大比\r\n丘衆";
    EXPECT_TRUE(c.Match(text));
    EXPECT_EQ(MarkString(c.Info, text.size()), "110010");
    EXPECT_TRUE(c.Match(u"大\u3000比\uFF0E 丘"));
    EXPECT_FALSE(c.Match(u"大比,丘"));
}

TEST(MatchText, KeepsSpacesSignificantInKorean)
{
    TMatcherCase inner(0, {u"사리 불"});
    EXPECT_TRUE(inner.Match(u"존자 사리 불이"));
    EXPECT_FALSE(inner.Match(u"존자 사리불이"));

    TMatcherCase joined(0, {u"사리불"});
    EXPECT_TRUE(joined.Match(u"존자 사리\r\n불이"));
    EXPECT_FALSE(joined.Match(u"존자 사리 불이"));
}

TEST(MatchText, ConsultsOnlyTheWordCharactersVariantGroup)
{
    // 乙 ends up in the second group: a word with 乙 takes 丙 but not 甲; a word with 甲 takes 乙.
    TMatcherCase c(1, {u"乙"});
    c.Groups({u"甲乙", u"乙丙"});
    EXPECT_TRUE(c.Match(u"丙"));
    EXPECT_FALSE(c.Match(u"甲"));
    SetWords(c.Info, {u"甲"});
    EXPECT_TRUE(c.Match(u"乙"));
    EXPECT_FALSE(c.Match(u"丙"));

    c.Info.SameCharacter = false;
    EXPECT_FALSE(c.Match(u"乙"));
    EXPECT_TRUE(c.Match(u"甲"));
}

TEST(MatchText, NeverConsultsVariantsForTheKoreanCanon)
{
    TMatcherCase c(0, {u"衆"});
    c.Groups({u"衆眾"});
    EXPECT_FALSE(c.Match(u"眾"));
    c.Info.TitleIndex = 2;
    EXPECT_TRUE(c.Match(u"眾"));
    EXPECT_EQ(MarkString(c.Info, 1), "1");
}

TEST(MatchText, DecidesByModeAndMarksEveryWordRegardless)
{
    TMatcherCase any(1, {u"色", u"受", u"想"});
    EXPECT_TRUE(any.Match(u"色無常想"));
    EXPECT_EQ(MarkString(any.Info, 4), "1001");

    TMatcherCase all(1, {u"色", u"受", u"想"}, 1);
    EXPECT_FALSE(all.Match(u"色無常想"));
    EXPECT_TRUE(all.Match(u"色受想"));
    // A word in two slots counts in each.
    SetWords(all.Info, {u"色", u"色"});
    EXPECT_TRUE(all.Match(u"色"));
}

TEST(MatchText, NeverReadsBeyondTheWordSlots)
{
    for (std::int32_t mode : {0, 1})
        for (std::int32_t count : {-1, 21}) {
            TMatcherCase c(1, std::vector<std::u16string>(20, u"色"), mode);
            c.Info.WordCount = count;
            c.Match(u"色");
        }
}

TEST(MatchText, GrowsTheWorkArraysForATextLongerThanWorkSize)
{
    TMatcherCase c(0, {u"끝"});
    SizeSearchWork(c.Info, 4);
    const std::u16string text = std::u16string(10, u'가') + u"끝";
    EXPECT_TRUE(c.Match(text));
    EXPECT_GT(c.Info.Work.WorkSize, 11);
    EXPECT_EQ(c.Info.Work.Marks[11], 1);
}

TEST(NormalizeLineBreaks, TurnsEveryKindOfBreakIntoOneCarriageReturn)
{
    std::u16string text = u"a\r\nb\n\rc\rd\ne\r\n\r\nf\n\r\ng";
    NormalizeLineBreaks(text);
    EXPECT_EQ(text, u"a\rb\rc\rd\re\r\rf\r\rg");
    std::u16string empty;
    NormalizeLineBreaks(empty);
    EXPECT_TRUE(empty.empty());
}
