// The real program, started twice over one configuration folder, comes back to the sutra,
// tab and scroll position where the reader left it.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

class ReaderProcess : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::copy_file(VESKO3_WINDOW_PATH, Program.Path() / "vesko3");
        WriteTestDataSet(LongTextDataSetSource(), Program.Path() / "Data");
    }

    // Runs the program until it closes itself, shortly after loading.
    void Run(const QStringList& arguments = {})
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", QString::fromStdU16String((Program.Path() / "config").u16string()));
        environment.insert("VESKO3_TEST_CLOSE_MS", "300");
        program.setProcessEnvironment(environment);
        program.start(QString::fromStdU16String((Program.Path() / "vesko3").u16string()), arguments);
        ASSERT_TRUE(program.waitForFinished(30000)) << program.readAllStandardError().toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }

#ifdef __linux__
    // Runs the program as Run does and returns its peak resident memory in KB, or -1 when it
    // did not end normally with 0.
    long RunForPeakMemory()
    {
        const std::string program = (Program.Path() / "vesko3").string();
        const std::string config = (Program.Path() / "config").string();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
            ::setenv("VESKO3_TEST_CLOSE_MS", "300", 1);
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        rusage usage{};
        if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
        return usage.ru_maxrss;
    }
#endif

    // The one state file the program made in the configuration folder.
    fs::path StateFile() const
    {
        for (const auto& entry : fs::recursive_directory_iterator(Program.Path() / "config"))
            if (entry.path().filename() == "reader-state.json") return entry.path();
        return {};
    }

    TTemporaryFolder Program;
};

TEST_F(ReaderProcess, ComesBackToTheSutraTabAndScrollPositionTwice)
{
    Run({"--fresh"});
    const fs::path path = StateFile();
    ASSERT_FALSE(path.empty()) << "a normal close writes the state";
    ASSERT_TRUE(LoadReaderState(path).has_value());
    EXPECT_TRUE(LoadReaderState(path)->History.empty());

    // The reader leaves sutra 3 on the 신수대장경 tab, scrolled down.
    {
        auto started = StartWindow(Program.Path(), std::nullopt, true, TReaderStateFile{path});
        ASSERT_TRUE(started->WaitUntilSettled());
        Grid(*started->Form, "OrdGrid")->setCurrentCell(2, 0);
        Page(*started->Form, "ViewPage")->setCurrentIndex(3);
        QTest::qWait(50);
        View(*started->Form, "SinsuRichEdit")->verticalScrollBar()->setValue(250);
        started->Form->close();
    }

    for (int run = 0; run < 2; ++run) {
        Run();
        const std::optional<TReaderState> state = LoadReaderState(path);
        ASSERT_TRUE(state.has_value()) << run;
        ASSERT_EQ(state->HistoryIndex, 0) << run;
        const TReadingPlace& place = state->History.at(0);
        EXPECT_EQ(place.Sutra, 2) << run;
        EXPECT_EQ(place.Name, u"무상경") << run;
        EXPECT_EQ(state->ViewTab, 3) << run;
        EXPECT_EQ(place.Scrolls[7].Vertical, 250) << run;
    }
}

#ifdef __linux__
TEST_F(ReaderProcess, AHugeSavedGeometryOpensAtAScreensSizeInNormalMemory)
{
    Run({"--fresh"});
    const fs::path path = StateFile();
    ASSERT_FALSE(path.empty());
    const std::optional<TReaderState> normal = LoadReaderState(path);
    ASSERT_TRUE(normal && normal->NormalGeometry);
    const long normalPeak = RunForPeakMemory();
    ASSERT_GT(normalPeak, 0);
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    // A window never needs more than the screen, or its own minimum where that is larger.
    const int widest = std::max(screen.width(), (*normal->NormalGeometry)[2]);
    const int tallest = std::max(screen.height(), (*normal->NormalGeometry)[3]);

    for (const std::int32_t extent : {32768, 65536, 1048576, 16777216}) {
        SCOPED_TRACE(extent);
        TReaderState state = *normal;
        state.NormalGeometry = std::array<std::int32_t, 4>{0, 0, extent, extent};
        for (TSplitterPane& pane : state.Splitters)
            pane.FirstPane = extent;
        ASSERT_TRUE(SaveReaderState(path, state));
        const long peak = RunForPeakMemory();
        EXPECT_GT(peak, 0) << "the window ends normally";
        // Its backing store alone would take 4 GB at the smallest of these sizes.
        EXPECT_LT(peak, normalPeak + 100 * 1024) << peak << " KB against " << normalPeak << " KB";
        const std::optional<TReaderState> saved = LoadReaderState(path);
        ASSERT_TRUE(saved && saved->NormalGeometry);
        EXPECT_LE((*saved->NormalGeometry)[2], widest);
        EXPECT_LE((*saved->NormalGeometry)[3], tallest);
    }
}
#endif

} // namespace
