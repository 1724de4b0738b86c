#include "util/TextCodec.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

bool QtHasTheWindowsTable()
{
    return QStringEncoder("windows-949").isValid();
}

} // namespace

TEST(PlatformThroughCp949, AgreesWithQtOnEveryCharacterOfTheBasicPlane)
{
    if (!QtHasTheWindowsTable()) GTEST_SKIP() << "this Qt has no windows-949 to compare with";
    std::u16string all;
    for (char32_t c = 0; c <= 0xFFFF; ++c)
        if (c < 0xD800 || c > 0xDFFF) all.push_back(static_cast<char16_t>(c));
    const std::u16string qt = ThroughCp949(all);
    const std::u16string platform = PlatformThroughCp949(all);
    ASSERT_EQ(qt.size(), all.size());
    ASSERT_EQ(platform.size(), all.size());
    int shown = 0;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (qt[i] != platform[i] && shown++ < 20)
            ADD_FAILURE() << std::hex << "U+" << int(all[i]) << ": Qt " << int(qt[i]) << ", platform "
                          << int(platform[i]);
}

TEST(PlatformThroughCp949, WritesOneQuestionMarkPerCharacterTheTableLacks)
{
    // A surrogate pair is one character; a lone surrogate is none the table has.
    const std::u16string text = u"똠é😀x\xD800가\xDC00";
    EXPECT_EQ(PlatformThroughCp949(text), u"똠??x?가?");
    if (QtHasTheWindowsTable()) {
        EXPECT_EQ(ThroughCp949(text), PlatformThroughCp949(text));
    }
}
