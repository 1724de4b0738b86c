#include "util/Files.h"
#include "util/TextLines.h"

#include "TestDataSet.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using TLines = std::vector<std::u16string_view>;

std::string Contents(const fs::path& path)
{
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), TFileRead::Ok);
    return bytes;
}

} // namespace

TEST(TextLines, SplitsAtEveryKindOfBreakAndIgnoresAFinalOne)
{
    EXPECT_EQ(SplitLines(u""), TLines{});
    EXPECT_EQ(SplitLines(u"a\r\nb\rc\nd"), (TLines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(SplitLines(u"a\n"), TLines{u"a"});
    EXPECT_EQ(SplitLines(u"a\r\n"), TLines{u"a"});
    EXPECT_EQ(SplitLines(u"\n"), TLines{u""});
    // CR LF is one break, LF CR two: the second opens an empty line.
    EXPECT_EQ(SplitLines(u"a\n\rb"), (TLines{u"a", u"", u"b"}));
    EXPECT_EQ(SplitLines(u"a\r\r\nb\n\n"), (TLines{u"a", u"", u"b", u""}));
    // Bytes split alike, whatever else they hold.
    EXPECT_EQ(SplitLines(std::string_view("\xFF\r\n\0\r", 5)),
              (std::vector<std::string_view>{"\xFF", std::string_view("\0", 1)}));
    // A break is found wherever it stands among units looked at several at a time, and units
    // that differ from CR and LF in one bit only are no break.
    for (std::size_t at = 0; at < 20; ++at) {
        std::u16string text(20, u'\u010D');
        text[at] = at % 2 ? u'\r' : u'\n';
        text[(at + 7) % 20] = u'\u000B';
        text[(at + 11) % 20] = u'\u800A';
        EXPECT_EQ(SplitLines(text).front().size(), at) << at;
    }
}

TEST(WholeFile, TellsAMissingFileFromOneThatCannotBeRead)
{
    TTemporaryFolder folder;
    std::string bytes = "left over";
    EXPECT_EQ(ReadWholeFile(folder.Path() / "none", bytes), TFileRead::Missing);
    EXPECT_EQ(ReadWholeFile(folder.Path(), bytes), TFileRead::Unreadable);
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(WriteWholeFile(folder.Path() / "empty", std::string_view()));
    std::vector<std::uint8_t> units{1, 2};
    EXPECT_EQ(ReadWholeFile(folder.Path() / "empty", units), TFileRead::Ok);
    EXPECT_TRUE(units.empty());
}

TEST(FileReader, ReadsRegionsAndFailsWhereTheFileWasCutShortUnderneath)
{
    TTemporaryFolder folder;
    const fs::path path = folder.Path() / "data";
    ASSERT_TRUE(WriteWholeFile(path, std::string_view("0123456789")));
    TFileReader reader;
    EXPECT_EQ(reader.Open(folder.Path() / "none"), TFileRead::Missing);
    EXPECT_EQ(reader.Open(folder.Path()), TFileRead::Unreadable);
    ASSERT_EQ(reader.Open(path), TFileRead::Ok);
    EXPECT_EQ(reader.Size(), 10u);
    char part[4] = {};
    ASSERT_TRUE(reader.ReadAt(6, part, 4));
    EXPECT_EQ(std::string_view(part, 4), "6789");
    EXPECT_FALSE(reader.ReadAt(8, part, 4));
    // The size it was opened with no longer holds: a read there fails instead of trusting it.
    fs::resize_file(path, 5);
    EXPECT_EQ(reader.Size(), 10u);
    EXPECT_FALSE(reader.ReadAt(4, part, 2));
    ASSERT_TRUE(reader.ReadAt(1, part, 4));
    EXPECT_EQ(std::string_view(part, 4), "1234");
}

TEST(FileReplacement, ChangesNothingUntilCommittedAndCleansUpWhenDropped)
{
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "a.txt";
    ASSERT_TRUE(WriteWholeFile(target, std::string_view("old")));
    {
        TFileReplacement replacement(target);
        ASSERT_TRUE(replacement.Stage(std::string_view("new")));
        EXPECT_EQ(Contents(target), "old");
        EXPECT_TRUE(fs::exists(replacement.StagingPath()));
    }
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);

    ASSERT_TRUE(ReplaceFile(target, "new"));
    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);
}

#if defined(__unix__) || defined(__APPLE__)
TEST(FileReplacement, RemovesWhatAKilledSaveLeftButNotWhatALiveOneIsWriting)
{
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "a.txt";
    ASSERT_TRUE(WriteWholeFile(target, std::string_view("old")));
    // Left by killed saves: no writer holds them any more.
    ASSERT_TRUE(WriteWholeFile(folder.Path() / ".a.txt.tmp-0123abcd", std::string_view("cut")));
    ASSERT_TRUE(WriteWholeFile(folder.Path() / "a.txt.tmp", std::string_view("cut")));
    ASSERT_TRUE(WriteWholeFile(folder.Path() / ".b.txt.tmp-0123abcd", std::string_view("another file's")));

    TFileReplacement live(target);
    ASSERT_TRUE(live.Stage(std::string_view("live")));
    ASSERT_TRUE(ReplaceFile(target, "other"));
    EXPECT_EQ(Contents(target), "other");
    EXPECT_TRUE(fs::exists(live.StagingPath()));
    EXPECT_FALSE(fs::exists(folder.Path() / ".a.txt.tmp-0123abcd"));
    EXPECT_FALSE(fs::exists(folder.Path() / "a.txt.tmp"));
    EXPECT_TRUE(fs::exists(folder.Path() / ".b.txt.tmp-0123abcd"));
    ASSERT_TRUE(live.Commit());
    EXPECT_EQ(Contents(target), "live");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 2);
}

TEST(FolderReplacement, TheTwoMoveWayLeavesTheNewFolderAndNothingBeside)
{
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "Data";
    fs::create_directory(target);
    ASSERT_TRUE(WriteWholeFile(target / "old", std::string_view("old")));
    for (const bool exchange : {false, true}) {
        TFolderReplacement replacement(target);
        ASSERT_TRUE(replacement.Begin());
        ASSERT_TRUE(WriteWholeFile(replacement.StagingPath() / "new", std::string_view("new")));
        ASSERT_TRUE(replacement.Commit([](const fs::path& name) { return name == "old" || name == "new"; }, exchange));
        EXPECT_EQ(Contents(target / "new"), "new") << exchange;
        EXPECT_FALSE(fs::exists(target / "old")) << exchange;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1) << exchange;
    }
}

TEST(FileReplacement, KeepsALinkAndThePermissionsOfTheFileItReplaces)
{
    TTemporaryFolder folder;
    const fs::path real = folder.Path() / "real.ini";
    const fs::path link = folder.Path() / "link.ini";
    ASSERT_TRUE(WriteWholeFile(real, std::string_view("old")));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.ini", link);

    ASSERT_TRUE(ReplaceFile(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}
#endif
