// Start-up, deferred loading and shut-down of the window.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "data/DataFile.h"
#include "data/LoadDriver.h"
#include "window/widgets/Grid.h"

#include <QPlainTextEdit>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class StartupTest : public testing::Test
{
protected:
    void SetUp() override { WriteTestDataSet(SmallDataSetSource(), DataFolder()); }
    fs::path DataFolder() const { return Program.Path() / "Data"; }
    std::string IniBytes() const
    {
        std::ifstream in(Program.Path() / "Vesko3.ini", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    TTemporaryFolder Program;
};

TEST_F(StartupTest, EndsWithOneBoxPerMissingFileWithoutShowingTheWindow)
{
    fs::remove(DataFolder() / "VESKO3.C0");
    fs::remove(DataFolder() / "VESKO3.H1");
    auto started = StartWindow(Program.Path());

    const auto& boxes = started->Shell.Boxes;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Text, u"파일이 없습니다.\r\n\r\n" + PathText(DataFolder() / "VESKO3.H1"));
    EXPECT_EQ(boxes[0].Caption, u"확인");
    EXPECT_EQ(boxes[1].Text, u"파일이 없습니다.\r\n\r\n" + PathText(DataFolder() / "VESKO3.C0"));
    EXPECT_EQ(boxes[1].Caption, u"확인");
    EXPECT_EQ(boxes[2].Text, u"베스코 프로그램을 사용할 수 없습니다.");
    EXPECT_EQ(boxes[2].Caption, u"베스코");
    for (const TRecordedBox& box : boxes)
        EXPECT_FALSE(box.WindowShown);
    EXPECT_EQ(started->Shell.ExitCode(), 0);

    QTest::qWait(50);
    EXPECT_FALSE(started->Form->isVisible());
    EXPECT_TRUE(started->State.Data.TextFiles[0].Text.empty()) << "nothing may be read";
}

TEST_F(StartupTest, ReportsAWrongVersionAfterTheWindowIsShownRunsTheOtherLoadersAndEnds)
{
    {
        std::fstream file(DataFolder() / "VESKO3.A1", std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(36);
        file.put(2);
    }
    auto started = StartWindow(Program.Path());
    ASSERT_TRUE(started->WaitUntilSettled());

    const auto& boxes = started->Shell.Boxes;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Caption, u"에러");
    EXPECT_NE(boxes[0].Text.find(PathText(DataFolder() / "VESKO3.A1")), std::u16string::npos);
    EXPECT_TRUE(boxes[0].WindowShown);
    EXPECT_TRUE(boxes[0].LoadingShown);
    EXPECT_EQ(boxes[1].Text, u"베스코 프로그램을 사용할 수 없습니다.");
    EXPECT_EQ(boxes[1].Caption, u"확인");
    EXPECT_EQ(started->Shell.ExitCode(), 0);
    EXPECT_FALSE(started->Form->DataLoaded());

    // The loaders after the failed one still ran.
    const std::vector<std::u16string> info = Lines(Memo(*started->Form, "InfoMemo"));
    ASSERT_EQ(info.size(), 4u);
    EXPECT_EQ(info[0], u"VESKO3.A0");
    EXPECT_EQ(info[2], u"VESKO3.A2");
    EXPECT_FALSE(started->State.Data.VariantFiles[1].Text.empty());
    EXPECT_FALSE(started->State.Data.ReadingFile.Text.empty());

    // The lists were on show before A1 failed; nothing the reader does there reaches a text.
    auto* list = Widget<TGrid>(*started->Form, "OrdGrid");
    ASSERT_GT(list->rowCount(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(started->Form->PlainSutraOnShow(), -1);
}

TEST_F(StartupTest, LoadsOnceAfterShowingAndSizesTheSearchWorkArrays)
{
    auto started = StartWindow(Program.Path());
    TMainForm& form = *started->Form;
    EXPECT_TRUE(Lines(Memo(form, "InfoMemo")).empty()) << "creation empties InfoMemo and reads no data file";
    ASSERT_TRUE(started->WaitUntilSettled());
    ASSERT_TRUE(form.DataLoaded());

    // However often the loop goes idle, and even when the window is shown again, loading
    // does not run a second time: it would add six more lines.
    for (int i = 0; i < 3; ++i) {
        form.hide();
        form.show();
        QTest::qWait(20);
    }
    const std::vector<std::u16string> info = Lines(Memo(form, "InfoMemo"));
    ASSERT_EQ(info.size(), 6u);
    EXPECT_EQ(info[0], u"VESKO3.A0");
    EXPECT_EQ(info[1], u"파일 만든 날짜 = 2007.11.05_09:30:00");
    EXPECT_EQ(info[2], u"VESKO3.A1");
    EXPECT_EQ(info[4], u"VESKO3.A2");

    EXPECT_TRUE(started->Shell.Boxes.empty());
    EXPECT_FALSE(started->Shell.ExitRequested());
    EXPECT_FALSE(form.findChild<QWidget*>("ReadFileMsgPanel")->isVisible());
    const auto& work = started->State.SearchInfo.Work;
    EXPECT_EQ(work.WorkSize, LargestTextSize(started->State.Data) + 100);
    EXPECT_EQ(work.Marks.size(), std::size_t(work.WorkSize));
    EXPECT_EQ(work.Positions.size(), std::size_t(work.WorkSize));
}

TEST_F(StartupTest, PaintsTheOrderListUnderTheLoadingMessageBeforeTheTextsAreRead)
{
    // What the order list's first paint with rows saw of the load.
    struct TFirstFilledPaint : QObject
    {
        TGrid* Grid = nullptr;
        const TLoadedData* Data = nullptr;
        bool Painted = false, TextsRead = false, LoadingShown = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (!Painted && event->type() == QEvent::Paint && !Grid->Cell(0, 0).empty()) {
                Painted = true;
                TextsRead = !Data->TextFiles[1].Text.empty() || !Data->TextFiles[2].Text.empty();
                LoadingShown = Grid->window()->findChild<QWidget*>("ReadFileMsgPanel")->isVisible();
            }
            return false;
        }
    };
    auto started = StartWindow(Program.Path(), std::nullopt, false);
    TFirstFilledPaint first;
    first.Grid = Widget<TGrid>(*started->Form, "OrdGrid");
    first.Data = &started->State.Data;
    first.Grid->viewport()->installEventFilter(&first);
    started->Form->show();
    ASSERT_TRUE(started->WaitUntilSettled());
    EXPECT_TRUE(first.Painted);
    EXPECT_FALSE(first.TextsRead) << "the list is painted while the texts are still to be read";
    EXPECT_TRUE(first.LoadingShown);
}

TEST_F(StartupTest, ReleasesTheTextBlocksWhenTheWindowGoes)
{
    auto started = StartWindow(Program.Path());
    ASSERT_TRUE(started->WaitUntilSettled());
    ASSERT_FALSE(started->State.Data.TextFiles[2].Text.empty());
    started->Form.reset();
    for (const TVesko_File& file : started->State.Data.TextFiles)
        EXPECT_TRUE(file.Text.empty());
    EXPECT_TRUE(started->State.Data.VariantFiles[0].Text.empty());
    EXPECT_TRUE(started->State.Data.ReadingFile.Text.empty());
}

TEST_F(StartupTest, ClosingMaximisedStoresFullScreenAndTheNextStartOpensMaximised)
{
    {
        auto first = StartWindow(Program.Path());
        ASSERT_TRUE(first->WaitUntilSettled());
        EXPECT_FALSE(first->Form->isMaximized()) << "no settings file: normal state";
        first->Form->setWindowState(Qt::WindowMaximized);
        first->Form->close();
    }
    EXPECT_NE(IniBytes().find("FullScreen=1\r\n"), std::string::npos) << IniBytes();
    {
        auto second = StartWindow(Program.Path(), std::nullopt, false);
        EXPECT_TRUE(second->Form->windowState() & Qt::WindowMaximized);
        second->Form->show();
        ASSERT_TRUE(second->WaitUntilSettled());
        EXPECT_TRUE(second->Form->isMaximized());
        second->Form->setWindowState(Qt::WindowNoState);
        second->Form->close();
    }
    EXPECT_NE(IniBytes().find("FullScreen=0\r\n"), std::string::npos) << IniBytes();
    auto third = StartWindow(Program.Path(), std::nullopt, false);
    EXPECT_FALSE(third->Form->windowState() & Qt::WindowMaximized);
}

TEST_F(StartupTest, AWindowDestroyedOrClosedBeforeLoadingLeavesNoData)
{
    // Never shown: nothing was read.
    auto created = StartWindow(Program.Path(), std::nullopt, false);
    created->Form.reset();
    for (const TVesko_File& file : created->State.Data.TextFiles)
        EXPECT_TRUE(file.Text.empty());
    EXPECT_TRUE(created->State.Data.ReadingFile.Text.empty());
    EXPECT_TRUE(created->Shell.Boxes.empty());

    // Shown and closed before what loading found was shown.
    auto shown = StartWindow(Program.Path());
    shown->Form->close();
    QTest::qWait(20);
    shown->Form.reset();
    for (const TVesko_File& file : shown->State.Data.TextFiles)
        EXPECT_TRUE(file.Text.empty());
    EXPECT_TRUE(shown->Shell.Boxes.empty());
}

TEST_F(StartupTest, InputBeforeTheDataAreShownDoesNotReachTheWindow)
{
    auto started = StartWindow(Program.Path());
    auto* button = Widget<QPushButton>(*started->Form, "SearchButton");
    QSignalSpy clicks(button, &QPushButton::clicked);
    // Sent straight to the button, before the loop has run: loading is still under way.
    const QPointF centre = QRectF(button->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QApplication::sendEvent(button, &release);
    EXPECT_EQ(clicks.count(), 0);

    ASSERT_TRUE(started->WaitUntilSettled());
    QApplication::sendEvent(button, &press);
    QApplication::sendEvent(button, &release);
    EXPECT_EQ(clicks.count(), 1) << "once the data are shown the window takes input again";
}

} // namespace
