#include "session/Settings.h"

#include "TestDataSet.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#if defined(__unix__) || defined(__APPLE__)
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#define VESKO3_POSIX 1
#endif

namespace {

using TLines = std::vector<std::string>;

class SettingsFile : public testing::Test
{
protected:
    std::filesystem::path IniPath() const { return Folder.Path() / "Vesko3.ini"; }

    void WriteIni(std::string_view bytes) const
    {
        std::ofstream out(IniPath(), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string ReadIni() const
    {
        std::ifstream in(IniPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Loads the file as it stands, lets change alter the options, saves, and returns the bytes written.
    template <typename TChange> std::string LoadChangeSave(TChange change)
    {
        TSettings settings;
        LoadSettings(settings, Folder.Path());
        change(settings);
        EXPECT_TRUE(SaveSettings(settings));
        EXPECT_TRUE(settings.IniLines.empty());
        return ReadIni();
    }

    TSettings Loaded() const
    {
        TSettings settings;
        LoadSettings(settings, Folder.Path());
        return settings;
    }

    TTemporaryFolder Folder;
};

void NoChange(TSettings&) {}

} // namespace

TEST_F(SettingsFile, WritesTheSevenKeysInOrderWhenNoFileExists)
{
    const TSettings settings = Loaded();
    EXPECT_EQ(settings.IniFileName, IniPath());
    EXPECT_TRUE(settings.IniLines.empty());
    EXPECT_EQ(settings.HangeulFontSize + settings.HanmoonFontSize + settings.SearchFontSize + settings.Transparent +
                  settings.FullScreen + settings.ColorIndex + settings.CopyTarget,
              0);

    const std::string written = LoadChangeSave([](TSettings& s) {
        s.SearchFontSize = 2;
        s.FullScreen = 1;
        s.ColorIndex = 10;
    });
    EXPECT_EQ(written, "HangeulFontSize=0\r\nHanmoonFontSize=0\r\nSearchFontSize=2\r\nTransparent=0\r\n"
                       "FullScreen=1\r\nColorIndex=10\r\nCopyTarget=0\r\n");
}

TEST_F(SettingsFile, MatchesKeysWithoutCaseAndRewritesThemInPlace)
{
    WriteIni("; options\r\ncolorindex=7\r\nCOPYTARGET=1\r\ntail\r\n");
    const TSettings settings = Loaded();
    EXPECT_EQ(settings.ColorIndex, 7);
    EXPECT_EQ(settings.CopyTarget, 1);

    EXPECT_EQ(LoadChangeSave(NoChange), "; options\r\nColorIndex=7\r\nCopyTarget=1\r\ntail\r\n"
                                        "HangeulFontSize=0\r\nHanmoonFontSize=0\r\nSearchFontSize=0\r\n"
                                        "Transparent=0\r\nFullScreen=0\r\n");
}

TEST_F(SettingsFile, UsesAndRewritesOnlyTheFirstMatchingLine)
{
    WriteIni("ColorIndex=3\r\nColorIndex=5\r\n");
    EXPECT_EQ(Loaded().ColorIndex, 3);
    const std::string written = LoadChangeSave([](TSettings& s) { s.ColorIndex = 4; });
    EXPECT_TRUE(written.starts_with("ColorIndex=4\r\nColorIndex=5\r\n")) << written;
}

TEST_F(SettingsFile, RecognisesOnlyTheUntrimmedTextBeforeTheFirstEquals)
{
    WriteIni("HangeulFontSize =2\r\n HanmoonFontSize=2\r\nNote=Transparent=2\r\nFullScreen\r\nFullScreen1\r\n");
    const TSettings settings = Loaded();
    EXPECT_EQ(settings.HangeulFontSize, 0);
    EXPECT_EQ(settings.HanmoonFontSize, 0);
    EXPECT_EQ(settings.Transparent, 0);
    EXPECT_EQ(settings.FullScreen, 0);

    EXPECT_EQ(LoadChangeSave(NoChange), "HangeulFontSize =2\r\n HanmoonFontSize=2\r\nNote=Transparent=2\r\n"
                                        "FullScreen\r\nFullScreen1\r\nHangeulFontSize=0\r\nHanmoonFontSize=0\r\n"
                                        "SearchFontSize=0\r\nTransparent=0\r\nFullScreen=0\r\nColorIndex=0\r\n"
                                        "CopyTarget=0\r\n");
}

TEST_F(SettingsFile, ReadsLeadingDigitsAndClampsToEachRange)
{
    WriteIni("ColorIndex=99\r\nTransparent=-2\r\nFullScreen=1x\r\nHangeulFontSize= 2\r\n"
             "HanmoonFontSize=99999999999999999999\r\nSearchFontSize=abc\r\nCopyTarget=\t1 \t\r\n");
    const TSettings settings = Loaded();
    EXPECT_EQ(settings.ColorIndex, 10);
    EXPECT_EQ(settings.Transparent, 0);
    EXPECT_EQ(settings.FullScreen, 1);
    EXPECT_EQ(settings.HangeulFontSize, 2);
    EXPECT_EQ(settings.HanmoonFontSize, 2);
    EXPECT_EQ(settings.SearchFontSize, 0);
    EXPECT_EQ(settings.CopyTarget, 1);

    // The clamped values are what goes back.
    EXPECT_EQ(LoadChangeSave(NoChange), "ColorIndex=10\r\nTransparent=0\r\nFullScreen=1\r\nHangeulFontSize=2\r\n"
                                        "HanmoonFontSize=2\r\nSearchFontSize=0\r\nCopyTarget=1\r\n");
}

TEST_F(SettingsFile, KeepsOtherLinesByteForByteWhateverTheirEncodingAndBreaks)
{
    // CP949 "한글", bytes valid in no encoding, a NUL, a CP949 key, and CR, LF and CR LF breaks.
    const std::string korean = "\xC7\xD1\xB1\xDB=1";
    const std::string invalid = std::string("\xFF\xFE\x80\xC0\xAF", 5);
    const std::string withNul = std::string("a\0b", 3);
    WriteIni(korean + "\r" + invalid + "\n" + withNul + "\r\n\r\n" + "ColorIndex=2 \xB1\xDB\r" + "[end]");
    EXPECT_EQ(Loaded().ColorIndex, 2);

    EXPECT_EQ(LoadChangeSave(NoChange), korean + "\r\n" + invalid + "\r\n" + withNul + "\r\n\r\n" +
                                            "ColorIndex=2\r\n[end]\r\nHangeulFontSize=0\r\nHanmoonFontSize=0\r\n"
                                            "SearchFontSize=0\r\nTransparent=0\r\nFullScreen=0\r\nCopyTarget=0\r\n");
}

TEST_F(SettingsFile, TreatsAFileThatCannotBeReadAsMissing)
{
    // A folder in the file's place opens but cannot be read, whoever runs the test.
    std::filesystem::create_directory(IniPath());
    const TSettings settings = Loaded();
    EXPECT_TRUE(settings.IniLines.empty());
    EXPECT_EQ(settings.ColorIndex, 0);
}

TEST_F(SettingsFile, ReportsAFailedSaveAndLeavesNothingBehind)
{
    TSettings settings;
    LoadSettings(settings, Folder.Path() / "gone");
    EXPECT_FALSE(SaveSettings(settings));
    EXPECT_TRUE(settings.IniLines.empty());

    std::filesystem::create_directory(IniPath());
    LoadSettings(settings, Folder.Path());
    EXPECT_FALSE(SaveSettings(settings));
    EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 1);
}

#ifdef VESKO3_POSIX
TEST_F(SettingsFile, LeavesTheOldFileWholeWhenTheFolderIsReadOnly)
{
    WriteIni("ColorIndex=3\r\n");
    TSettings settings;
    LoadSettings(settings, Folder.Path());
    settings.ColorIndex = 5;
    std::filesystem::permissions(Folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const bool writable = ::access(Folder.Path().c_str(), W_OK) == 0; // true for root
    const bool saved = writable || SaveSettings(settings);
    std::filesystem::permissions(Folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (writable) GTEST_SKIP() << "a read-only folder is still writable for this user";
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadIni(), "ColorIndex=3\r\n");
}

TEST_F(SettingsFile, LeavesAPipeAReadOnlyFileAndAHugeFileAsTheyAre)
{
    // A pipe would block the start-up read forever and be replaced at close.
    ASSERT_EQ(::mkfifo(IniPath().c_str(), 0600), 0);
    TSettings settings = Loaded();
    EXPECT_TRUE(settings.IniLines.empty());
    EXPECT_FALSE(SaveSettings(settings));
    EXPECT_TRUE(std::filesystem::is_fifo(IniPath()));
    std::filesystem::remove(IniPath());

    // A read-only file pins the settings: not replaced, not even by root.
    WriteIni("ColorIndex=3\r\n");
    std::filesystem::permissions(IniPath(), std::filesystem::perms::owner_read);
    settings = Loaded();
    EXPECT_EQ(settings.ColorIndex, 3);
    settings.ColorIndex = 5;
    EXPECT_FALSE(SaveSettings(settings));
    EXPECT_EQ(ReadIni(), "ColorIndex=3\r\n");
    EXPECT_EQ(std::filesystem::status(IniPath()).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read);
    std::filesystem::remove(IniPath());

    // A sparse file of 8 GB is no settings file and is neither allocated nor replaced.
    WriteIni("ColorIndex=3\r\n");
    std::filesystem::resize_file(IniPath(), std::uintmax_t(8) << 30);
    settings = Loaded();
    EXPECT_EQ(settings.ColorIndex, 0);
    EXPECT_FALSE(SaveSettings(settings));
    EXPECT_EQ(std::filesystem::file_size(IniPath()), std::uintmax_t(8) << 30);
}

TEST_F(SettingsFile, LeavesTheOldFileWholeWhenTheDiskFillsDuringTheSave)
{
    // A file size limit fails the write partway, as a full disk would.
    WriteIni("ColorIndex=3\r\n");
    TSettings settings;
    LoadSettings(settings, Folder.Path());
    settings.ColorIndex = 5;

    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit smallLimit = oldLimit;
    smallLimit.rlim_cur = 20;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &smallLimit), 0);
    const bool saved = SaveSettings(settings); // nothing may print while the limit holds
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadIni(), "ColorIndex=3\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 1);
}
#endif
