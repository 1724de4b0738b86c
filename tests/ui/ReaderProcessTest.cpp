// The real program, started twice over one configuration folder, comes back to the sutra,
// tab and scroll position where the reader left it.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

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

} // namespace
