#include "data/DataWriter.h"

#include "RecordingMessages.h"
#include "TestBytes.h"
#include "TestDataSet.h"
#include "session/Vesko3Session.h"
#include "util/Files.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

TBytes FileBytes(const fs::path& path)
{
    TBytes bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), TFileRead::Ok) << path;
    return bytes;
}

// The entries of folder, sorted.
std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool ZeroBetween(const TBytes& bytes, std::size_t from, std::size_t to)
{
    return std::all_of(bytes.begin() + from, bytes.begin() + to, [](std::uint8_t b) { return b == 0; });
}

std::u16string UnitsAt(const TBytes& bytes, std::size_t offset, std::size_t count)
{
    std::u16string units;
    for (std::size_t i = 0; i < count; ++i)
        units.push_back(static_cast<char16_t>(bytes.at(offset + 2 * i) | bytes.at(offset + 2 * i + 1) << 8));
    return units;
}

TBytes MagicBytes(const TBytes& bytes)
{
    return TBytes(bytes.begin() + 32, bytes.begin() + 36);
}

} // namespace

TEST(DataWriter, WritesTheTextFileLayoutByteForByte)
{
    const TDataSetSource source = SmallDataSetSource();
    for (int f = 0; f < TextFileCount; ++f) {
        SCOPED_TRACE(f);
        const TBytes b = SerializeTextFile(source, f, TCreationDate{2008, 1, 2, 3, 4, 5});
        EXPECT_EQ(MagicBytes(b), (TBytes{0xFC, 0x0F, 0x03, 0x00}));
        EXPECT_EQ(GetInt32(b, 36), 3);
        EXPECT_EQ(GetInt32(b, 48), f == 0 ? 0 : 1);
        for (int k = 0; k < KindSlots; ++k)
            EXPECT_EQ(GetInt32(b, 116 + 4 * k), k == 0 ? 4 : k <= 4 ? 1 : 0);
        const std::int32_t date[] = {2008, 1, 2, 3, 4, 5};
        for (int field = 0; field < 6; ++field)
            EXPECT_EQ(GetInt32(b, 148 + 4 * field), date[field]);
        EXPECT_TRUE(ZeroBetween(b, 0, 32) && ZeroBetween(b, 40, 48) && ZeroBetween(b, 52, 116) &&
                    ZeroBetween(b, 196, 256));

        const std::size_t table = GetInt32(b, 172);
        ASSERT_EQ(GetInt32(b, 176), 4);
        for (int i = 0; i < 4; ++i) {
            const std::size_t e = table + i * 232;
            EXPECT_EQ(GetInt32(b, e), i);
            EXPECT_EQ(GetInt32(b, e + 4), source.Suttas[i].Kind);
            EXPECT_EQ(GetInt32(b, e + 8), 0);
            EXPECT_EQ(GetInt32(b, e + 12), GetInt32(b, e + 28)); // TextSize is the body's length
            EXPECT_TRUE(ZeroBetween(b, e + 40, e + 104));
            EXPECT_EQ(UnitsAt(b, e + 104, source.Suttas[i].Title.size() + 1), source.Suttas[i].Title + u'\0');
            EXPECT_EQ(UnitsAt(b, e + 168, source.Suttas[i].Name.size() + 1), source.Suttas[i].Name + u'\0');
        }

        // Subjects follow one another directly; the empty one takes 68 bytes.
        const std::size_t first = GetInt32(b, 180);
        ASSERT_EQ(GetInt32(b, 184), 3);
        EXPECT_EQ(GetInt32(b, first + 64), 2);
        EXPECT_EQ(GetInt32(b, first + 72), 1);
        const std::size_t second = first + 68 + 8;
        EXPECT_EQ(UnitsAt(b, second, 5), std::u16string(u"빈 주제\0", 5));
        EXPECT_EQ(GetInt32(b, second + 64), 0);
        EXPECT_EQ(UnitsAt(b, second + 68, 3), u"제이분");

        const std::size_t text = GetInt32(b, 188);
        EXPECT_EQ(b.size(), text + 2 * static_cast<std::size_t>(GetInt32(b, 192)));
        const std::size_t body = text + 2 * static_cast<std::size_t>(GetInt32(b, table + 24));
        const std::u16string& expected = f == 0   ? source.Suttas[0].HanBody
                                         : f == 1 ? source.Suttas[0].KorBody
                                                  : source.Suttas[0].SinsuBody;
        EXPECT_EQ(UnitsAt(b, body, expected.size()), expected);
    }
}

TEST(DataWriter, StartsEachVariantFileWithOneZeroUnit)
{
    const TBytes b = SerializeVariantFile({u"甲乙", u"丙"});
    EXPECT_EQ(MagicBytes(b), (TBytes{0xFE, 0x0F, 0x03, 0x00}));
    EXPECT_EQ(GetInt32(b, 36), 3);
    EXPECT_EQ(GetInt32(b, 44), 6);
    EXPECT_EQ(UnitsAt(b, 256, 6), std::u16string(u"\0甲乙\0丙\0", 6));
    EXPECT_EQ(b.size(), 256u + 12);
    EXPECT_TRUE(ZeroBetween(b, 0, 32) && ZeroBetween(b, 40, 44) && ZeroBetween(b, 48, 256));
    EXPECT_EQ(GetInt32(SerializeVariantFile({}), 44), 1);
}

TEST(DataWriter, WritesTheReadingTableAfterTheHeader)
{
    const TBytes b = SerializeReadingFile({u'a', u'일'});
    EXPECT_EQ(MagicBytes(b), (TBytes{0xFD, 0x0F, 0x03, 0x00}));
    EXPECT_EQ(GetInt32(b, 44), 2);
    EXPECT_EQ(UnitsAt(b, 256, 2), u"a일");
    EXPECT_EQ(b.size(), 260u);
}

TEST(DataWriter, RefusesSourcesTheFormatCannotHold)
{
    auto problem = [](auto change) {
        TDataSetSource source = SmallDataSetSource();
        change(source);
        return !CheckDataSetSource(source).Ok();
    };
    EXPECT_FALSE(problem([](TDataSetSource&) {}));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Suttas[1].Title = std::u16string(33, u'가'); }));
    EXPECT_FALSE(problem([](TDataSetSource& s) { s.Suttas[1].Name = std::u16string(32, u'가'); }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Suttas[1].Name = std::u16string(33, u'가'); }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Suttas[0].Kind = 0; }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Suttas[0].Kind = 8; }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Suttas.resize(2501, s.Suttas[0]); }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Subjects[0].Suttas.assign(301, 0); }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Subjects[0].Suttas.push_back(4); }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.Subjects[0].Name = std::u16string(33, u'가'); }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.VariantGroups[1].push_back(std::u16string(u"甲\0乙", 3)); }));
    // Group starts must fit the loader's 16-bit index: the group at 65535 does, the next not.
    EXPECT_FALSE(problem([](TDataSetSource& s) { s.VariantGroups[0] = {std::u16string(65533, u'甲'), u"乙"}; }));
    EXPECT_TRUE(problem([](TDataSetSource& s) { s.VariantGroups[0] = {std::u16string(65534, u'甲'), u"乙"}; }));
}

TEST(DataWriter, WritesTheSixFilesAndNoTemporaryOnes)
{
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "new" / "Data";
    ASSERT_EQ(WriteDataSet(SmallDataSetSource(), TCreationDate{}, target).Message(), u"");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(target))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"VESKO3.A0", "VESKO3.A1", "VESKO3.A2", "VESKO3.C0", "VESKO3.H0", "VESKO3.H1"}));
}

TEST(DataWriter, LeavesNothingBehindWhenItCannotWrite)
{
    TTemporaryFolder folder;
    TDataSetSource bad = SmallDataSetSource();
    bad.Suttas[0].Kind = 9;
    EXPECT_NE(WriteDataSet(bad, TCreationDate{}, folder.Path()).Message(), u"");
    EXPECT_TRUE(fs::is_empty(folder.Path()));

    const fs::path blocked = folder.Path() / "file";
    std::ofstream(blocked) << "x";
    EXPECT_NE(WriteDataSet(SmallDataSetSource(), TCreationDate{}, blocked).Message(), u"");
    fs::create_directory(folder.Path() / "Data");
    fs::create_directory(folder.Path() / "Data" / "sub"); // a folder of the user's cannot move with the set
    EXPECT_NE(WriteDataSet(SmallDataSetSource(), TCreationDate{}, folder.Path() / "Data").Message(), u"");
    EXPECT_FALSE(fs::exists(folder.Path() / "Data" / "VESKO3.A0"));
    EXPECT_TRUE(fs::is_directory(folder.Path() / "Data" / "sub"));
    EXPECT_EQ(Names(folder.Path()), (std::vector<std::string>{"Data", "file"}));
}

TEST(DataWriter, ReplacesTheSetWholeAndKeepsTheUsersOtherFiles)
{
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "Data";
    WriteTestDataSet(SmallDataSetSource(), target);
    std::ofstream(target / "notes.txt") << "mine";
    std::ofstream(target / "vesko3.z9") << "a data file the new set does not have";
    ASSERT_EQ(WriteDataSet(SmallDataSetSource(), TCreationDate{2020, 1, 2, 3, 4, 5}, target).Message(), u"");
    EXPECT_EQ(Names(target), (std::vector<std::string>{"VESKO3.A0", "VESKO3.A1", "VESKO3.A2", "VESKO3.C0", "VESKO3.H0",
                                                       "VESKO3.H1", "notes.txt"}));
    EXPECT_EQ(GetInt32(FileBytes(target / "VESKO3.A2"), offsetof(TDataFileHeader, CreatedYear)), 2020);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"Data"});
}

// A replacement that moves the old set aside and the new one in, killed between the two
// moves, leaves no target: the loader and the next replacement put the old set back.
TEST(DataWriter, AReplacementKilledBetweenItsTwoMovesLeavesTheOldSetToLoad)
{
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "Data";
    WriteTestDataSet(SmallDataSetSource(), target);
    const TBytes old = FileBytes(target / "VESKO3.A0");
    fs::rename(target, folder.Path() / ".Data.old");
    fs::create_directory(folder.Path() / ".Data.new-0123abcd"); // a staging folder its killed writer left
    std::ofstream(folder.Path() / ".Data.new-0123abcd" / "VESKO3.A0") << "cut";

    TVesko3Session session;
    TRecordingMessages messages;
    EXPECT_TRUE(session.LoadData(target, messages));
    EXPECT_EQ(FileBytes(target / "VESKO3.A0"), old);

    fs::rename(target, folder.Path() / ".Data.old");
    ASSERT_EQ(WriteDataSet(SmallDataSetSource(), TCreationDate{2020, 1, 2, 3, 4, 5}, target).Message(), u"");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"Data"});
    EXPECT_TRUE(session.LoadData(target, messages));
}
