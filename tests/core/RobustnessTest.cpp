// Truncated and corrupted copies of valid files: every parser must either accept them with
// consistent records or reject them cleanly, and never read outside what it was given.

#include "RecordChecks.h"
#include "TestBytes.h"
#include "TestDataSet.h"
#include "data/DataWriter.h"
#include "data/ReadingFile.h"
#include "data/TextFile.h"
#include "data/VariantFile.h"

#include <gtest/gtest.h>

#include <random>

namespace {

enum class TFamily
{
    Catalogue, // text file 0
    Text,      // text file 2
    Variant,
    Reading,
};

struct TSample
{
    TFamily Family;
    TBytes Bytes;
};

std::vector<TSample> ValidSamples()
{
    TDataSetSource source = SmallDataSetSource();
    source.Readings.resize(300); // a full table is too big to cut at every byte
    return {{TFamily::Catalogue, SerializeTextFile(source, 0, TCreationDate{})},
            {TFamily::Text, SerializeTextFile(source, 2, TCreationDate{})},
            {TFamily::Variant, SerializeVariantFile({u"甲乙", u"乙丙", u"衆眾"})},
            {TFamily::Reading, SerializeReadingFile(source.Readings)}};
}

// Parses bytes as family; returns the status after checking that an accepted record is
// consistent and a rejected one left the destination as it was.
TDataFileStatus ParseChecked(TFamily family, std::span<const std::uint8_t> bytes, bool withNameOrder = false)
{
    TDataFileStatus status = TDataFileStatus::Ok;
    std::string problem;
    bool untouched = true;
    switch (family) {
    case TFamily::Catalogue:
    case TFamily::Text: {
        const int index = family == TFamily::Catalogue ? 0 : 2;
        TVesko_File file;
        status = ParseTextFile(bytes, index, index == 0 ? 0 : 4, file);
        if (status == TDataFileStatus::Ok) {
            problem = TextFileProblem(file, index);
            if (withNameOrder && problem.empty()) {
                BuildNameOrder(file);
                problem = NameOrderProblem(file);
            }
        }
        untouched = file.Text.empty() && file.SuttaTable.Count == 0;
        break;
    }
    case TFamily::Variant: {
        TVariantFile file;
        status = ParseVariantFile(bytes, file);
        if (status == TDataFileStatus::Ok) problem = VariantFileProblem(file);
        untouched = file.Text.empty();
        break;
    }
    case TFamily::Reading: {
        TReadingFile file;
        status = ParseReadingFile(bytes, file);
        if (status == TDataFileStatus::Ok) problem = ReadingFileProblem(file);
        untouched = file.Text.empty();
        break;
    }
    }
    if (status == TDataFileStatus::Ok)
        EXPECT_EQ(problem, "");
    else
        EXPECT_TRUE(untouched) << "a rejected file changed its record";
    return status;
}

} // namespace

TEST(Robustness, RejectsEveryStrictPrefixOfAValidFile)
{
    for (const TSample& sample : ValidSamples()) {
        ASSERT_EQ(ParseChecked(sample.Family, sample.Bytes), TDataFileStatus::Ok);
        for (std::size_t size = 0; size < sample.Bytes.size(); ++size) {
            // A copy of exactly size bytes, so that the sanitizer sees any read past its end.
            const TBytes prefix(sample.Bytes.begin(), sample.Bytes.begin() + size);
            ASSERT_NE(ParseChecked(sample.Family, prefix), TDataFileStatus::Ok)
                << "family " << int(sample.Family) << ", " << size << " of " << sample.Bytes.size() << " bytes";
        }
    }
}

TEST(Robustness, SurvivesEverySingleBitFlip)
{
    for (const TSample& sample : ValidSamples()) {
        const std::size_t names = HeaderSize + 4 * SuttaEntrySize;
        int accepted = 0;
        for (std::size_t bit = 0; bit < 8 * sample.Bytes.size(); ++bit) {
            TBytes copy = sample.Bytes;
            copy[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
            // Names live in the sutta table: only flips there can change the name order.
            const bool inNames = sample.Family == TFamily::Catalogue && bit / 8 >= HeaderSize && bit / 8 < names;
            accepted += ParseChecked(sample.Family, copy, inNames) == TDataFileStatus::Ok;
            if (::testing::Test::HasFailure()) FAIL() << "family " << int(sample.Family) << ", bit " << bit;
        }
        EXPECT_GT(accepted, 0); // flips inside texts are harmless
    }
}

TEST(Robustness, SurvivesRandomCorruptionOfTheFields)
{
    // Fields overwritten with the values that break naive readers, at random 4-byte slots.
    std::mt19937 random(20071105);
    for (const TSample& sample : ValidSamples()) {
        const std::int32_t size = static_cast<std::int32_t>(sample.Bytes.size());
        const std::int32_t nasty[] = {0,
                                      1,
                                      -1,
                                      2,
                                      256,
                                      300,
                                      2500,
                                      2501,
                                      65535,
                                      65536,
                                      size,
                                      size / 2,
                                      size - 1,
                                      std::numeric_limits<std::int32_t>::max(),
                                      std::numeric_limits<std::int32_t>::min()};
        for (int round = 0; round < 3000; ++round) {
            TBytes copy = sample.Bytes;
            const int edits = 1 + static_cast<int>(random() % 4);
            for (int e = 0; e < edits; ++e) {
                // Mostly the header and the sutta table, where the counts and ranges are.
                const std::size_t limit = std::min<std::size_t>(copy.size(), HeaderSize + 4 * SuttaEntrySize + 200);
                const std::size_t at = (random() % (limit - 3)) & ~std::size_t(3);
                PutInt32(copy, at, nasty[random() % std::size(nasty)]);
            }
            if (random() % 8 == 0) copy.resize(random() % copy.size());
            ParseChecked(sample.Family, copy, random() % 16 == 0);
            if (::testing::Test::HasFailure()) FAIL() << "family " << int(sample.Family) << ", round " << round;
        }
    }
}
