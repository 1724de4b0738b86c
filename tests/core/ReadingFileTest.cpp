#include "data/ReadingFile.h"

#include "RecordChecks.h"
#include "TestBytes.h"
#include "data/DataWriter.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ReadingFile, ServesEveryCodeUnitFromAFullTable)
{
    std::vector<char16_t> table(65536);
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = static_cast<char16_t>(c ^ 0x5A5A);
    table[u'一'] = u'일';
    TReadingFile file;
    ASSERT_EQ(ParseReadingFile(SerializeReadingFile(table), file), TDataFileStatus::Ok);
    EXPECT_EQ(ReadingFileProblem(file), "");
    EXPECT_EQ(file.Text[u'一'], u'일');
    EXPECT_EQ(file.Text[0xFFFF], static_cast<char16_t>(0xFFFF ^ 0x5A5A));
    EXPECT_EQ(file.Text[65536], u'\0');
}

TEST(ReadingFile, EndsAShortTableInZeros)
{
    TReadingFile file;
    ASSERT_EQ(ParseReadingFile(SerializeReadingFile({u'a', u'b'}), file), TDataFileStatus::Ok);
    EXPECT_EQ(file.Text, (std::vector<char16_t>{u'a', u'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ReadingFile, RejectsABodyShorterThanDataLength)
{
    TReadingFile file;
    TBytes bytes = SerializeReadingFile(std::vector<char16_t>(300, u'가'));
    for (std::int32_t length : {-1, 301, std::numeric_limits<std::int32_t>::max()}) {
        PutInt32(bytes, DataLengthAt, length);
        EXPECT_EQ(ParseReadingFile(bytes, file), TDataFileStatus::Damaged) << length;
    }
    bytes = SerializeReadingFile(std::vector<char16_t>(300, u'가'));
    bytes.pop_back();
    EXPECT_EQ(ParseReadingFile(bytes, file), TDataFileStatus::Damaged);
    EXPECT_TRUE(file.Text.empty());
}
