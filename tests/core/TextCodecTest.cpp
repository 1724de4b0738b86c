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

TEST(Utf16ToUtf8, WritesWhatQtWritesForEveryUnitPairAndLoneHalf)
{
    auto qt = [](std::u16string_view text) { return ToQString(text).toUtf8().toStdString(); };
    for (char32_t c = 0; c < 0x10000; ++c) {
        const std::u16string text = u"a" + std::u16string(1, static_cast<char16_t>(c)) + u"가";
        ASSERT_EQ(Utf16ToUtf8(text), qt(text)) << std::hex << static_cast<std::uint32_t>(c);
    }
    for (const std::u16string& text :
         {std::u16string(u"\U00020000\U0010FFFF\U00010000"), std::u16string(u"x\xD800"), std::u16string(u"\xDC00x"),
          std::u16string(u"\xD800\xD800\xDC00"), std::u16string(u"\xDBFF\xDFFF\xDC00"), std::u16string()})
        EXPECT_EQ(Utf16ToUtf8(text), qt(text));
    std::string appended = "앞\t";
    AppendUtf8(appended, u"舍利弗\xD800");
    EXPECT_EQ(appended, "앞\t" + qt(u"舍利弗\xD800"));
}
