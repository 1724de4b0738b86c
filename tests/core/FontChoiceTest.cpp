#include "util/MyUtils.h"

#include <gtest/gtest.h>

TEST(ChooseTextFont, PrefersHancomBatangThenBatangThenGulim)
{
    EXPECT_EQ(ChooseTextFont({u"굴림", u"바탕", u"한컴바탕"}), u"한컴바탕");
    EXPECT_EQ(ChooseTextFont({u"한컴바탕"}), u"한컴바탕");
    EXPECT_EQ(ChooseTextFont({u"DejaVu Sans", u"바탕"}), u"바탕");
    EXPECT_EQ(ChooseTextFont({u"바탕체", u"UnBatang"}), u"굴림");
    EXPECT_EQ(ChooseTextFont({}), u"굴림");
}

TEST(IsFontInstalled, TrimsBlanksAndControlCharactersOfBothNames)
{
    EXPECT_TRUE(IsFontInstalled({u"Arial", u" \t바탕\r\n"}, u"바탕"));
    EXPECT_TRUE(IsFontInstalled({u"바탕"}, u"\x01바탕 "));
    EXPECT_FALSE(IsFontInstalled({u"바 탕"}, u"바탕"));
}

TEST(IsFontInstalled, ComparesExactlyAndWithCase)
{
    EXPECT_TRUE(IsFontInstalled({u"Gulim"}, u"Gulim"));
    EXPECT_FALSE(IsFontInstalled({u"gulim"}, u"Gulim"));
    EXPECT_FALSE(IsFontInstalled({u"Gulim Che"}, u"Gulim"));
    EXPECT_FALSE(IsFontInstalled({u"Gulim"}, u"Gul"));
    EXPECT_FALSE(IsFontInstalled({}, u"Gulim"));
}

TEST(ChooseTextFont, TakesBatangWhenOnlyTheFaceThatCoversTheTextsStandsInForIt)
{
    const std::u16string serif = FaceSubstitutes(u"바탕").front();
    EXPECT_EQ(ChooseTextFont({u"UnDotum", serif}), u"바탕");
    EXPECT_EQ(ChooseTextFont({serif, u"한컴바탕"}), u"한컴바탕");
    // A fall-back face alone lacks the common characters.
    for (std::size_t i = 1; i < FaceSubstitutes(u"바탕").size(); ++i)
        EXPECT_EQ(ChooseTextFont({FaceSubstitutes(u"바탕")[i]}), u"굴림");
}
