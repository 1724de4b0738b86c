#include "util/MyUtils.h"

#include <gtest/gtest.h>

TEST(LeadingNumber, TakesLeadingDigitsOfTrimmedText)
{
    EXPECT_EQ(LeadingNumber(u""), 0);
    EXPECT_EQ(LeadingNumber(u"abc"), 0);
    EXPECT_EQ(LeadingNumber(u"12ab"), 12);
    EXPECT_EQ(LeadingNumber(u" \t2  "), 2);
    EXPECT_EQ(LeadingNumber(u"-3"), 0);
    EXPECT_EQ(LeadingNumber(u"+3"), 0);
    EXPECT_EQ(LeadingNumber(u"007"), 7);
}

TEST(LeadingNumber, SaturatesWhenTooLargeFor32Bits)
{
    EXPECT_EQ(LeadingNumber(u"2147483647"), 2147483647);
    EXPECT_EQ(LeadingNumber(u"2147483648"), 2147483647);
    EXPECT_EQ(LeadingNumber(u"99999999999999999999999"), 2147483647);
}

TEST(ZeroPad, PadsToWidthWithoutShortening)
{
    EXPECT_EQ(ZeroPad(1, 2), u"01");
    EXPECT_EQ(ZeroPad(2007, 4), u"2007");
    EXPECT_EQ(ZeroPad(123, 2), u"123");
    EXPECT_EQ(ZeroPad(42, 5), u"00042");
}

TEST(MaxOf, GivesTheLarger)
{
    static_assert(MaxOf(1, 0) == 1 && MaxOf(-5, -2) == -2);
}

TEST(ExeFolderPath, AppendsTheNameToTheProgramFolder)
{
    EXPECT_EQ(ExeFolderPath("/opt/vesko3", u"Data"), std::filesystem::path("/opt/vesko3/Data"));
}
