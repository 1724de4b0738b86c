// A page built alone, without the window around it, over a small data set: what it shows
// and what it tells up depend on nothing but what it is given.

#include "RecordingMessages.h"
#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/pages/SearchTab.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(SearchPageTest, SearchesItsDataAloneAndTellsTheChosenResultUp)
{
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path() / "Data");
    TVesko3Session session;
    TRecordingMessages messages;
    ASSERT_TRUE(session.LoadData(folder.Path() / "Data", messages));

    TSearchTab page(session.Data, session.SearchInfo, messages);
    page.BuildEditors(page.font());
    page.resize(293, 643);
    page.show();
    QSignalSpy ended(&page, &TSearchTab::SearchEnded);
    QSignalSpy chosen(&page, &TSearchTab::HitChosen);

    Memo(page, "SearchMemo")->setPlainText("사리불");
    QTest::mouseClick(Widget<QPushButton>(page, "SearchButton"), Qt::LeftButton);
    EXPECT_EQ(Numbers(Grid(page, "SearchGrid")), std::vector<std::u16string>{u"2"});
    EXPECT_EQ(Text(Label(page, "SearchCountPanel")), u"1 개");
    EXPECT_EQ(session.SearchInfo.HitCount, 1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(chosen.count(), 0) << "a search chooses no row";

    TGrid* grid = Grid(page, "SearchGrid");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);
    EXPECT_TRUE(messages.Shown.empty());
}

} // namespace
