// The first start without any data folder: the dialog says where the program looked and
// makes the demo set in the user's folder on a worker while its bar shows the work going on.

#include "window/FirstStartDialog.h"

#include "RecordingMessages.h"
#include "TestDataSet.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(FirstStart, ListsEachFolderOnItsOwnLineAndMakesALoadableDemoSetThere)
{
    TTemporaryFolder root;
    const std::vector<fs::path> lookedIn = {root.Path() / "named", root.Path() / "program/Data",
                                            root.Path() / "사용자/Data"};
    const fs::path demo = root.Path() / "사용자/Data";
    TFirstStartDialog dialog(lookedIn, demo, 3);
    const QStringList lines = dialog.findChild<QLabel*>("LookedInList")->text().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[2].toStdU16String(), PathText(lookedIn[2]));

    dialog.show();
    dialog.findChild<QPushButton*>("MakeDemoButton")->click();
    EXPECT_TRUE(dialog.findChild<QProgressBar*>("DemoProgress")->isVisible());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("QuitButton")->isEnabled()) << "nothing leaves a half-made set";
    for (int i = 0; i < 600 && dialog.result() != QDialog::Accepted; ++i)
        QTest::qWait(100);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.DataFolder(), demo);

    TVesko3Session session;
    TRecordingMessages messages;
    EXPECT_TRUE(session.LoadData(demo, messages));
    EXPECT_EQ(session.Data.TextFiles[0].SuttaTable.Count, 3);
}

} // namespace
