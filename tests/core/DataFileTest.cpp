#include "data/DataFile.h"

#include "RecordingMessages.h"
#include "TestBytes.h"
#include "TestDataSet.h"
#include "data/DataWriter.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

TBytes ValidVariantFile()
{
    return SerializeVariantFile({u"甲乙"});
}

void WriteBytes(const fs::path& path, const TBytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::u16string Expected(TDataFileStatus status, const fs::path& path)
{
    return DataFileMessage(status) + path.u16string();
}

// A complete set in a temporary folder, for breaking one file at a time.
class DataFileLoading : public ::testing::Test
{
protected:
    void SetUp() override { WriteTestDataSet(SmallDataSetSource(), Folder.Path()); }
    fs::path PathOf(std::u16string_view name) const { return Folder.Path() / fs::path(std::u16string(name)); }

    TTemporaryFolder Folder;
};

} // namespace

TEST(ParseHeader, ReadsAFileOfAtMost32BytesAsMagicZero)
{
    TDataFileHeader header{};
    for (std::size_t size : {0, 1, 31, 32}) {
        const TBytes bytes(size, 0xFF);
        EXPECT_EQ(ParseHeader(bytes, VariantFileMagic, header), TDataFileStatus::NotDataFile) << size;
        EXPECT_EQ(header.Magic, 0);
    }
}

TEST(ParseHeader, RejectsAnotherFamilysMagic)
{
    TDataFileHeader header{};
    const TBytes variant = ValidVariantFile();
    EXPECT_EQ(ParseHeader(variant, TextFileMagic, header), TDataFileStatus::NotDataFile);
    EXPECT_EQ(ParseHeader(variant, ReadingFileMagic, header), TDataFileStatus::NotDataFile);
    EXPECT_EQ(ParseHeader(variant, VariantFileMagic, header), TDataFileStatus::Ok);
}

TEST(ParseHeader, RejectsVersionsOtherThanThree)
{
    TDataFileHeader header{};
    for (std::int32_t version : {2, 4, 0, -3}) {
        TBytes bytes = ValidVariantFile();
        PutInt32(bytes, VersionAt, version);
        EXPECT_EQ(ParseHeader(bytes, VariantFileMagic, header), TDataFileStatus::Incompatible) << version;
    }
}

TEST(ParseHeader, CallsAFileCutInsideItsHeaderDamagedOnlyWhenMagicAndVersionHold)
{
    TDataFileHeader header{};
    const TBytes whole = ValidVariantFile();
    EXPECT_EQ(ParseHeader(TBytes(whole.begin(), whole.begin() + 36), VariantFileMagic, header),
              TDataFileStatus::Incompatible);
    for (std::size_t size : {40, 100, 255})
        EXPECT_EQ(ParseHeader(TBytes(whole.begin(), whole.begin() + size), VariantFileMagic, header),
                  TDataFileStatus::Damaged)
            << size;
    EXPECT_EQ(ParseHeader(TBytes(whole.begin(), whole.begin() + 256), VariantFileMagic, header), TDataFileStatus::Ok);
}

TEST(ParseHeader, KeepsUninterpretedBytes)
{
    TBytes bytes = ValidVariantFile();
    bytes[0] = 0x11;
    bytes[41] = 0x22;
    bytes[60] = 0x33;
    bytes[255] = 0x44;
    TDataFileHeader header{};
    ASSERT_EQ(ParseHeader(bytes, VariantFileMagic, header), TDataFileStatus::Ok);
    EXPECT_EQ(header.Reserved0[0], 0x11);
    EXPECT_EQ(header.Reserved40[1], 0x22);
    EXPECT_EQ(header.Reserved52[8], 0x33);
    EXPECT_EQ(header.Reserved196[59], 0x44);
}

TEST_F(DataFileLoading, ReportsAMissingFileWithItsFullPath)
{
    fs::remove(PathOf(u"VESKO3.A2"));
    TLoadRun run(Folder.Path());
    EXPECT_FALSE(run.Loaded);
    EXPECT_TRUE(run.LoadError);
    ASSERT_EQ(run.Messages.Shown.size(), 1u);
    EXPECT_EQ(run.Messages.Shown[0].Text, u"파일이 없습니다.\r\n\r\n" + PathOf(u"VESKO3.A2").u16string());
    EXPECT_EQ(run.Messages.Shown[0].Caption, u"에러");
    EXPECT_EQ(run.Data.TextFiles[2].SuttaTable.Count, 0);
    EXPECT_TRUE(run.Data.TextFiles[2].Text.empty());
}

TEST_F(DataFileLoading, ReportsAPathItCannotReadAsAReadError)
{
    fs::remove(PathOf(u"VESKO3.H1"));
    fs::create_directory(PathOf(u"VESKO3.H1"));
    TLoadRun run(Folder.Path());
    ASSERT_EQ(run.Messages.Shown.size(), 1u);
    EXPECT_EQ(run.Messages.Shown[0].Text, u"파일 읽기 에러.\r\n\r\n" + PathOf(u"VESKO3.H1").u16string());
    EXPECT_EQ(run.Messages.Shown[0].Caption, u"에러");
    EXPECT_TRUE(run.LoadError);
    EXPECT_TRUE(run.Data.VariantFiles[1].Text.empty());
}

TEST_F(DataFileLoading, ReportsForeignAndTinyFilesAsNotDataFiles)
{
    WriteBytes(PathOf(u"VESKO3.A0"), ValidVariantFile());
    WriteBytes(PathOf(u"VESKO3.C0"), TBytes(32, 0x7F));
    TLoadRun run(Folder.Path());
    ASSERT_EQ(run.Messages.Shown.size(), 2u);
    EXPECT_EQ(run.Messages.Shown[0].Text,
              u"베스코용 데이터 파일이 아닙니다.\r\n\r\n" + PathOf(u"VESKO3.A0").u16string());
    EXPECT_EQ(run.Messages.Shown[1].Text,
              u"베스코용 데이터 파일이 아닙니다.\r\n\r\n" + PathOf(u"VESKO3.C0").u16string());
    EXPECT_TRUE(run.Data.TextFiles[0].Text.empty());
    EXPECT_TRUE(run.Data.ReadingFile.Text.empty());
}

TEST_F(DataFileLoading, ReportsVersionsTwoAndFourAsIncompatible)
{
    for (std::u16string_view name : {u"VESKO3.A1", u"VESKO3.H0"}) {
        std::ifstream in(PathOf(name), std::ios::binary);
        TBytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        PutInt32(bytes, VersionAt, name == u"VESKO3.A1" ? 2 : 4);
        in.close();
        WriteBytes(PathOf(name), bytes);
    }
    TLoadRun run(Folder.Path());
    ASSERT_EQ(run.Messages.Shown.size(), 2u);
    EXPECT_EQ(run.Messages.Shown[0].Text,
              u"호환되지 않는 데이터 파일입니다.\r\n\r\n" + PathOf(u"VESKO3.A1").u16string());
    EXPECT_EQ(run.Messages.Shown[1].Text,
              u"호환되지 않는 데이터 파일입니다.\r\n\r\n" + PathOf(u"VESKO3.H0").u16string());
    EXPECT_EQ(run.Messages.Shown[1].Caption, u"에러");
}

TEST_F(DataFileLoading, ReportsEveryFailingFileInLoadOrderAndStillRunsEveryLoader)
{
    // Broken in reverse load order, so that the messages' order is the driver's own.
    WriteBytes(PathOf(u"VESKO3.C0"), ValidVariantFile());
    fs::remove(PathOf(u"VESKO3.H0"));
    fs::remove(PathOf(u"VESKO3.A1"));
    fs::create_directory(PathOf(u"VESKO3.A1"));
    TLoadRun run(Folder.Path());

    ASSERT_EQ(run.Messages.Shown.size(), 3u);
    EXPECT_EQ(run.Messages.Shown[0].Text, Expected(TDataFileStatus::Unreadable, PathOf(u"VESKO3.A1")));
    EXPECT_EQ(run.Messages.Shown[1].Text, Expected(TDataFileStatus::Missing, PathOf(u"VESKO3.H0")));
    EXPECT_EQ(run.Messages.Shown[2].Text, Expected(TDataFileStatus::NotDataFile, PathOf(u"VESKO3.C0")));
    for (const TRecordedMessage& message : run.Messages.Shown)
        EXPECT_EQ(message.Caption, u"에러");
    EXPECT_FALSE(run.Loaded);
    EXPECT_EQ(run.Data.TextFiles[0].SuttaTable.Count, 4);
    EXPECT_EQ(run.Data.TextFiles[2].SuttaTable.Count, 4);
    EXPECT_FALSE(run.Data.VariantFiles[1].Text.empty());
    ASSERT_EQ(run.Listener.InfoLines.size(), 4u);
    EXPECT_EQ(run.Listener.InfoLines[0], u"VESKO3.A0");
    EXPECT_EQ(run.Listener.InfoLines[2], u"VESKO3.A2");
}

TEST_F(DataFileLoading, ReadsOnlyTheHeadersExtentOfAHugePaddedFile)
{
    // Sparse padding: whole reads would allocate 100 GB and 3 GB before looking at a header.
    fs::resize_file(PathOf(u"VESKO3.C0"), std::uintmax_t(100) << 30);
    fs::resize_file(PathOf(u"VESKO3.H0"), std::uintmax_t(3) << 30);
    TLoadRun run(Folder.Path());
    EXPECT_TRUE(run.Loaded);
    EXPECT_TRUE(run.Messages.Shown.empty());
    EXPECT_EQ(run.Data.ReadingFile.Header.DataLength, 65536);
}

TEST_F(DataFileLoading, CallsAFileDamagedWhenItsHeaderReachesPastTwoGigabytesOrPastItsEnd)
{
    TBytes reading = SerializeReadingFile(SmallDataSetSource().Readings);
    PutInt32(reading, DataLengthAt, 1 << 30); // 2 GB of units after the header
    WriteBytes(PathOf(u"VESKO3.C0"), reading);
    fs::resize_file(PathOf(u"VESKO3.C0"), std::uintmax_t(5) << 30);
    TBytes variants = ValidVariantFile();
    PutInt32(variants, DataLengthAt, GetInt32(variants, DataLengthAt) + 1);
    WriteBytes(PathOf(u"VESKO3.H1"), variants);
    TLoadRun run(Folder.Path());
    ASSERT_EQ(run.Messages.Shown.size(), 2u);
    EXPECT_EQ(run.Messages.Shown[0].Text, Expected(TDataFileStatus::Damaged, PathOf(u"VESKO3.H1")));
    EXPECT_EQ(run.Messages.Shown[1].Text, Expected(TDataFileStatus::Damaged, PathOf(u"VESKO3.C0")));
}

TEST_F(DataFileLoading, NamesADataFolderThatIsAFileOnce)
{
    TLoadRun run(PathOf(u"VESKO3.A0"));
    EXPECT_FALSE(run.Loaded);
    EXPECT_TRUE(run.LoadError);
    ASSERT_EQ(run.Messages.Shown.size(), 1u);
    EXPECT_EQ(run.Messages.Shown[0].Text, u"데이터 폴더가 아닙니다.\r\n\r\n" + PathOf(u"VESKO3.A0").u16string());
}

TEST(CreationDateLine, PadsEveryFieldWithZeros)
{
    TDataFileHeader h{};
    h.CreatedYear = 2007;
    h.CreatedMonth = 11;
    h.CreatedDay = 5;
    h.CreatedHour = 5;
    h.CreatedMinute = 7;
    h.CreatedSecond = 9;
    EXPECT_EQ(CreationDateLine(h), u"파일 만든 날짜 = 2007.11.05_05:07:09");
    h.CreatedYear = 7;
    h.CreatedMonth = 123;
    EXPECT_EQ(CreationDateLine(h), u"파일 만든 날짜 = 0007.123.05_05:07:09");
}
