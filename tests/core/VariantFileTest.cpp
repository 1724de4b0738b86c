#include "data/VariantFile.h"

#include "RecordChecks.h"
#include "TestBytes.h"
#include "data/DataWriter.h"

#include <gtest/gtest.h>

namespace {

// Variant files for H0 and H1 from their groups, parsed; fails the test if either is rejected.
std::array<TVariantFile, VariantFileCount> Files(const std::vector<std::u16string>& h0,
                                                 const std::vector<std::u16string>& h1 = {})
{
    std::array<TVariantFile, VariantFileCount> files;
    EXPECT_EQ(ParseVariantFile(SerializeVariantFile(h0), files[0]), TDataFileStatus::Ok);
    EXPECT_EQ(ParseVariantFile(SerializeVariantFile(h1), files[1]), TDataFileStatus::Ok);
    return files;
}

// A variant file whose units are exactly the given ones, without the writer's leading 0.
TBytes RawVariantFile(const std::u16string& units)
{
    TBytes bytes = SerializeVariantFile({});
    bytes.resize(HeaderSize);
    PutInt32(bytes, DataLengthAt, static_cast<std::int32_t>(units.size()));
    for (char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

TDataFileStatus ParseRaw(const std::u16string& units, TVariantFile& file)
{
    return ParseVariantFile(RawVariantFile(units), file);
}

} // namespace

TEST(IsVariant, ConsultsOnlyTheLastGroupOfTheWordCharacter)
{
    const auto files = Files({u"甲乙", u"乙丙"});
    EXPECT_TRUE(IsVariant(files, u'丙', u'乙', true));
    EXPECT_FALSE(IsVariant(files, u'甲', u'乙', true));
    EXPECT_TRUE(IsVariant(files, u'乙', u'甲', true));
    EXPECT_FALSE(IsVariant(files, u'丙', u'甲', true));
}

TEST(IsVariant, MatchesEqualCharactersOnlyWhenVariantsAreOff)
{
    const auto files = Files({u"甲乙"}, {u"丙丁"});
    EXPECT_TRUE(IsVariant(files, u'甲', u'甲', false));
    EXPECT_TRUE(IsVariant(files, u'가', u'가', false));
    EXPECT_FALSE(IsVariant(files, u'乙', u'甲', false));
    EXPECT_TRUE(IsVariant(files, u'丁', u'丙', true)); // the second file counts too
}

TEST(IsVariant, GivesNoVariantsWithoutLoadedFiles)
{
    const std::array<TVariantFile, VariantFileCount> files;
    EXPECT_TRUE(IsVariant(files, u'甲', u'甲', true));
    EXPECT_FALSE(IsVariant(files, u'乙', u'甲', true));
}

TEST(VariantFile, WithDataLengthZeroIndexesNothing)
{
    std::array<TVariantFile, VariantFileCount> files;
    ASSERT_EQ(ParseRaw(u"", files[0]), TDataFileStatus::Ok);
    EXPECT_EQ(files[0].Text, std::vector<char16_t>(10, u'\0'));
    EXPECT_TRUE(std::all_of(files[0].CharIndex.begin(), files[0].CharIndex.end(), [](auto s) { return s == 0; }));
    EXPECT_TRUE(IsVariant(files, u'甲', u'甲', true));
    EXPECT_FALSE(IsVariant(files, u'乙', u'甲', true));
}

TEST(VariantFile, WithoutALeadingZeroLendsTheFirstGroupToCharactersInNone)
{
    // Index 0 means both "no group" and "the group at 0"; the writer's leading 0 avoids it.
    std::array<TVariantFile, VariantFileCount> files;
    ASSERT_EQ(ParseRaw(std::u16string(u"甲乙\0丙丁", 5), files[0]), TDataFileStatus::Ok);
    EXPECT_TRUE(IsVariant(files, u'甲', u'如', true));
    EXPECT_TRUE(IsVariant(files, u'丁', u'丙', true));
    EXPECT_FALSE(IsVariant(files, u'丙', u'如', true));
    // The last group needs no final 0: the block ends in zeros.
    EXPECT_TRUE(IsVariant(files, u'丙', u'丁', true));
}

TEST(VariantFile, IndexesGroupsStartingUpTo65535)
{
    TVariantFile file;
    std::u16string units(65535, u'\0');
    ASSERT_EQ(ParseRaw(units + u"甲乙", file), TDataFileStatus::Ok);
    EXPECT_EQ(file.CharIndex[u'乙'], 65535);
    EXPECT_EQ(VariantFileProblem(file), "");
    // Empty groups further on index nothing and are harmless.
    ASSERT_EQ(ParseRaw(units + u"甲乙" + std::u16string(9, u'\0'), file), TDataFileStatus::Ok);
}

TEST(VariantFile, RejectsAGroupStartingBeyond65535)
{
    TVariantFile file;
    EXPECT_EQ(ParseRaw(std::u16string(65536, u'\0') + u"甲", file), TDataFileStatus::Damaged);
    EXPECT_EQ(ParseRaw(std::u16string(65535, u'甲') + u'\0' + u'乙', file), TDataFileStatus::Damaged);
    // A long group is fine as long as it starts in range.
    EXPECT_EQ(ParseRaw(std::u16string(70000, u'甲') + u'\0', file), TDataFileStatus::Ok);
    file = TVariantFile{};
    EXPECT_EQ(ParseRaw(std::u16string(65536, u'\0') + u"甲", file), TDataFileStatus::Damaged);
    EXPECT_TRUE(file.Text.empty());
}

TEST(VariantFile, RejectsABodyShorterThanDataLengthOrANegativeOne)
{
    TVariantFile file;
    TBytes bytes = SerializeVariantFile({u"甲乙"});
    bytes.pop_back();
    EXPECT_EQ(ParseVariantFile(bytes, file), TDataFileStatus::Damaged);
    bytes = SerializeVariantFile({u"甲乙"});
    PutInt32(bytes, DataLengthAt, -1);
    EXPECT_EQ(ParseVariantFile(bytes, file), TDataFileStatus::Damaged);
    PutInt32(bytes, DataLengthAt, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseVariantFile(bytes, file), TDataFileStatus::Damaged);
    EXPECT_TRUE(file.Text.empty());
}
