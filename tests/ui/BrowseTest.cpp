// The browse lists and the display of a chosen sutra, driven through the window.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/pages/CatalogueTabs.h"
#include "window/widgets/Grid.h"
#include "browse/SutraTexts.h"
#include "data/DataSetSource.h"

#include <QTextDocument>
#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// Six sutras: collections 1, 2, 3, 1, 2, 1 (none of 증일아함); names with a pair of equals
// (positions 0 and 3) and a prefix ("대본", position 4, its Korean body holding a no-break
// space and a line separator); position 5 has a 32-unit title with a character outside code
// page 949.
const std::u16string LongTitle = [] {
    std::u16string title = u"\U00020000";
    for (char16_t c = u'가'; title.size() < 32; ++c)
        title += c;
    return title;
}();

TDataSetSource BrowseSource()
{
    TDataSetSource source = SmallDataSetSource();
    source.Suttas[3].Kind = 1;
    TSourceSutta prefix = source.Suttas[1];
    prefix.Title = u"중아함 0002";
    prefix.Name = u"대본";
    prefix.HanBody = u"사리불\u00A0목건련\u2028대비구중";
    source.Suttas.push_back(prefix);
    TSourceSutta longTitle = source.Suttas[0];
    longTitle.Title = LongTitle;
    longTitle.Name = u"가나경";
    source.Suttas.push_back(longTitle);
    return source;
}

std::u16string Text(const QTextEdit* view)
{
    return view->toPlainText().toStdU16String();
}

// A view's text as the core builds it, with each CR LF turned into the view's single break.
std::u16string AsShown(std::u16string text)
{
    std::u16string shown;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')) shown += text[i];
    return shown;
}

class BrowseTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(BrowseSource(), Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"});
        ASSERT_TRUE(Started->WaitUntilSettled());
        ASSERT_TRUE(Form().DataLoaded());
    }

    TMainForm& Form() { return *Started->Form; }

    std::vector<TRichEdit*> Views()
    {
        std::vector<TRichEdit*> views;
        for (const char* name : {"TotalHanRichEdit", "HanRichEdit0", "HanRichEdit1", "HanRichEdit2", "TotalKorRichEdit",
                                 "KorRichEdit", "TotalSinsuRichEdit", "SinsuRichEdit"})
            views.push_back(View(Form(), name));
        return views;
    }

    // Clicks a row with the mouse, on the list's own tab.
    void ClickRow(TGrid* grid, int row)
    {
        TPageControl* lists = Page(Form(), "SearchPage");
        for (QWidget* sheet = grid->parentWidget(); sheet; sheet = sheet->parentWidget())
            if (lists->indexOf(sheet) >= 0) lists->setCurrentWidget(sheet);
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(BrowseTest, LoadingFillsTheListsWithRowZeroCurrentAndShowsNoSutra)
{
    TMainForm& form = Form();
    EXPECT_EQ(Numbers(Grid(form, "OrdGrid")), (std::vector<std::u16string>{u"1", u"2", u"3", u"4", u"5", u"6"}));
    EXPECT_EQ(CellText(Grid(form, "OrdGrid"), 1, 1), u"중아함 0001");
    EXPECT_EQ(CellText(Grid(form, "OrdGrid"), 1, 2), u"선법경");
    EXPECT_EQ(Text(Label(form, "OrdCountPanel")), u"6 개");

    // Name order: a prefix first, equal names in catalogue order; name before title.
    EXPECT_EQ(Numbers(Grid(form, "NameGrid")), (std::vector<std::u16string>{u"6", u"5", u"1", u"4", u"3", u"2"}));
    EXPECT_EQ(CellText(Grid(form, "NameGrid"), 1, 1), u"대본");
    EXPECT_EQ(CellText(Grid(form, "NameGrid"), 1, 2), u"중아함 0002");
    EXPECT_EQ(Text(Label(form, "NameCountPanel")), u"6 개");

    ASSERT_EQ(Grid(form, "SubjGrid1")->rowCount(), 3);
    EXPECT_EQ(CellText(Grid(form, "SubjGrid1"), 0, 0), u"제일분");
    EXPECT_EQ(CellText(Grid(form, "SubjGrid1"), 0, 1), u"2 개");
    EXPECT_EQ(CellText(Grid(form, "SubjGrid1"), 1, 1), u"0 개");
    EXPECT_EQ(Numbers(Grid(form, "SubjGrid2")), std::vector<std::u16string>{u""});
    EXPECT_EQ(Text(Label(form, "Subj2CountPanel")), u"");

    for (TGrid* grid : {Grid(form, "OrdGrid"), Grid(form, "NameGrid"), Grid(form, "SubjGrid1")})
        EXPECT_EQ(grid->currentRow(), 0) << grid->objectName().toStdString();
    EXPECT_EQ(form.PlainSutraOnShow(), -1);
    for (TRichEdit* view : Views())
        EXPECT_TRUE(view->PlainText().isEmpty()) << view->objectName().toStdString();
}

TEST_F(BrowseTest, CellsHoldTheWholeThirtyTwoUnitTitleOutsideTheCodePage)
{
    ASSERT_EQ(LongTitle.size(), 32u);
    EXPECT_EQ(CellText(Grid(Form(), "OrdGrid"), 5, 1), LongTitle);
    EXPECT_EQ(CellText(Grid(Form(), "NameGrid"), 0, 2), LongTitle);
}

TEST_F(BrowseTest, ACutCellShowsItsWholeTextAsATooltipAndACellShownWholeNone)
{
    const auto tip = [](TGrid* grid, int row, int column) {
        QToolTip::hideText();
        QTest::qWait(400); // a tip goes after a short delay
        const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text().toStdU16String() : std::u16string();
    };
    TGrid* order = Grid(Form(), "OrdGrid");
    TGrid* names = Grid(Form(), "NameGrid");
    EXPECT_EQ(tip(order, 5, 1), LongTitle);
    EXPECT_EQ(tip(order, 5, 2), u"") << "가나경 fits";
    EXPECT_EQ(tip(order, 0, 1), u"");
    Page(Form(), "SearchPage")->setCurrentIndex(1);
    const std::vector<std::u16string> nameOrder = Numbers(names);
    const auto row = std::find(nameOrder.begin(), nameOrder.end(), u"6") - nameOrder.begin();
    EXPECT_EQ(tip(names, static_cast<int>(row), 2), LongTitle) << "the title's column in the name list";
}

TEST_F(BrowseTest, FiltersKeepCatalogueNumbersAndNameOrderAndLeaveTheOtherListAlone)
{
    TMainForm& form = Form();
    ClickRow(Grid(form, "OrdGrid"), 2);
    ASSERT_EQ(form.PlainSutraOnShow(), 2);
    QSignalSpy refilled(View(form, "TotalHanRichEdit"), &QTextEdit::textChanged);

    Group(form, "RadioGroup0_1")->SetItemIndex(2); // 중아함
    EXPECT_EQ(Numbers(Grid(form, "OrdGrid")), (std::vector<std::u16string>{u"2", u"5"}));
    EXPECT_EQ(Text(Label(form, "OrdCountPanel")), u"2 개");
    EXPECT_EQ(Grid(form, "OrdGrid")->currentRow(), 0);
    EXPECT_EQ(Numbers(Grid(form, "NameGrid")).size(), 6u);

    Group(form, "RadioGroup0_2")->SetItemIndex(1); // 장아함
    EXPECT_EQ(Numbers(Grid(form, "NameGrid")), (std::vector<std::u16string>{u"6", u"1", u"4"}));
    EXPECT_EQ(Text(Label(form, "NameCountPanel")), u"3 개");
    EXPECT_EQ(Numbers(Grid(form, "OrdGrid")), (std::vector<std::u16string>{u"2", u"5"}));

    // A collection without sutras: the one empty row.
    Group(form, "RadioGroup0_1")->SetItemIndex(4);
    EXPECT_EQ(Numbers(Grid(form, "OrdGrid")), std::vector<std::u16string>{u""});
    EXPECT_EQ(Text(Label(form, "OrdCountPanel")), u"0 개");

    // Refilling moved the current row to 0 of each list, and showed nothing.
    EXPECT_EQ(form.PlainSutraOnShow(), 2);
    EXPECT_EQ(refilled.count(), 0);

    Widget<TSutraListSheet>(form, "OrdTabSheet")->FillSutraGrid(8);
    EXPECT_EQ(Text(Label(form, "OrdCountPanel")), u"0 개") << "a kind outside 0 to 7 changes nothing";
}

TEST_F(BrowseTest, ChoosingASubjectListsItsSutrasWithoutShowingOne)
{
    TMainForm& form = Form();
    ClickRow(Grid(form, "SubjGrid2"), 0);
    EXPECT_EQ(form.PlainSutraOnShow(), -1) << "no subject chosen yet";

    ClickRow(Grid(form, "SubjGrid1"), 2);
    EXPECT_EQ(Numbers(Grid(form, "SubjGrid2")), (std::vector<std::u16string>{u"3", u"4"}));
    EXPECT_EQ(CellText(Grid(form, "SubjGrid2"), 1, 1), u"증일아함 0001");
    EXPECT_EQ(Text(Label(form, "Subj2CountPanel")), u"2 개");
    EXPECT_EQ(Grid(form, "SubjGrid2")->currentRow(), 0);
    EXPECT_EQ(form.PlainSutraOnShow(), -1);

    // The keyboard moves to the subject without sutras.
    Grid(form, "SubjGrid1")->setFocus();
    QTest::keyClick(Grid(form, "SubjGrid1"), Qt::Key_Up);
    EXPECT_EQ(Numbers(Grid(form, "SubjGrid2")), std::vector<std::u16string>{u""});
    EXPECT_EQ(Text(Label(form, "Subj2CountPanel")), u"0 개");
    ClickRow(Grid(form, "SubjGrid2"), 0);
    EXPECT_EQ(form.PlainSutraOnShow(), -1);

    ClickRow(Grid(form, "SubjGrid1"), 0);
    ClickRow(Grid(form, "SubjGrid2"), 1);
    EXPECT_EQ(form.PlainSutraOnShow(), 1);
}

TEST_F(BrowseTest, SelectingARowFillsTheEightViews)
{
    TMainForm& form = Form();
    ClickRow(Grid(form, "OrdGrid"), 1);
    ASSERT_EQ(form.PlainSutraOnShow(), 1);

    const std::u16string title = u"#제목:중아함 0001  선법경\n\n";
    EXPECT_EQ(Text(View(form, "TotalHanRichEdit")), title + u"사리불 목건련\n대비구중\n");
    EXPECT_EQ(Text(View(form, "HanRichEdit0")), Text(View(form, "TotalHanRichEdit")));
    EXPECT_EQ(Text(View(form, "HanRichEdit1")), u"주제 선법경\n");
    EXPECT_EQ(Text(View(form, "HanRichEdit2")), u"요약 선법경\n");
    EXPECT_EQ(Text(View(form, "TotalKorRichEdit")), title + u"舍利弗目\n揵連大比丘衆\n");
    EXPECT_EQ(Text(View(form, "KorRichEdit")), Text(View(form, "TotalKorRichEdit")));
    EXPECT_EQ(Text(View(form, "TotalSinsuRichEdit")), title + u"舍利弗目\n揵連大比丘衆\n");
    EXPECT_EQ(Text(View(form, "SinsuRichEdit")), Text(View(form, "TotalSinsuRichEdit")));

    // One character a line break, one block a line.
    const std::unique_ptr<QTextDocument> document = View(form, "TotalHanRichEdit")->FormattedCopy();
    EXPECT_EQ(document->characterCount(), View(form, "TotalHanRichEdit")->toPlainText().size() + 1);
    EXPECT_EQ(document->blockCount(), 5);
}

TEST_F(BrowseTest, TheBodyViewsHoldTheTextTogetherUnitForUnit)
{
    TMainForm& form = Form();
    form.OpenPlace({4});
    const std::u16string held = View(form, "TotalHanRichEdit")->PositionText();
    EXPECT_TRUE(held.find(QChar::Nbsp) != held.npos && held.find(QChar::LineSeparator) != held.npos);
    EXPECT_EQ(View(form, "HanRichEdit0")->PositionText(), held);
    EXPECT_EQ(View(form, "KorRichEdit")->PositionText(), View(form, "TotalKorRichEdit")->PositionText());
}

TEST_F(BrowseTest, SelectingTheSutraOnShowLeavesTheViewsUntouched)
{
    TMainForm& form = Form();
    ClickRow(Grid(form, "OrdGrid"), 0);
    View(form, "TotalHanRichEdit")->Select(3, 7);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TRichEdit* view : Views())
        spies.push_back(std::make_unique<QSignalSpy>(view, &QTextEdit::textChanged));

    ClickRow(Grid(form, "OrdGrid"), 0);
    ClickRow(Grid(form, "NameGrid"), 2); // the same sutra from the other list
    for (std::size_t v = 0; v < spies.size(); ++v)
        EXPECT_EQ(spies[v]->count(), 0) << Views()[v]->objectName().toStdString();
    EXPECT_EQ(View(form, "TotalHanRichEdit")->textCursor().selectionStart(), 3);
    EXPECT_EQ(View(form, "TotalHanRichEdit")->textCursor().selectionEnd(), 7);

    // After the search shows a sutra the same row fills the views again.
    form.OpenPlace({0, true});
    for (const auto& spy : spies)
        spy->clear();
    ClickRow(Grid(form, "OrdGrid"), 0);
    const std::vector<TRichEdit*> read = Views(); // a view on a hidden tab takes its text when read
    for (std::size_t v = 0; v < spies.size(); ++v)
        EXPECT_GE(spies[v]->count(), 1) << Views()[v]->objectName().toStdString();
}

TEST_F(BrowseTest, KeyboardRowChangesShowTheSutraLikeClicks)
{
    TMainForm& form = Form();
    Grid(form, "OrdGrid")->setFocus();
    QTest::keyClick(Grid(form, "OrdGrid"), Qt::Key_Down);
    EXPECT_EQ(form.PlainSutraOnShow(), 1);
    QTest::keyClick(Grid(form, "OrdGrid"), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(form.PlainSutraOnShow(), 5);
    EXPECT_EQ(Text(View(form, "TotalHanRichEdit")).substr(0, 4 + LongTitle.size()), u"#제목:" + LongTitle);
}

TEST_F(BrowseTest, RowsReachedByDraggingOrTheRightButtonShowTheirSutra)
{
    TMainForm& form = Form();
    Page(form, "SearchPage")->setCurrentWidget(Widget<QWidget>(form, "OrdTabSheet"));
    QWidget* viewport = Grid(form, "OrdGrid")->viewport();
    TGrid* grid = Grid(form, "OrdGrid");
    auto centre = [&](int row) { return grid->visualRect(grid->model()->index(row, 0)).center(); };

    // No click follows a release on another cell than the press.
    QTest::mousePress(viewport, Qt::LeftButton, {}, centre(0));
    QMouseEvent move(QEvent::MouseMove, centre(2), viewport->mapToGlobal(centre(2)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(2));
    EXPECT_EQ(Grid(form, "OrdGrid")->currentRow(), 2);
    EXPECT_EQ(form.PlainSutraOnShow(), 2);

    QTest::mouseClick(viewport, Qt::RightButton, {}, centre(1));
    EXPECT_EQ(Grid(form, "OrdGrid")->currentRow(), 1);
    EXPECT_EQ(form.PlainSutraOnShow(), 1);
}

TEST_F(BrowseTest, ShowingFromALaterTabSwitchesToTheTextsTogether)
{
    TMainForm& form = Form();
    for (int page = 0; page < Page(form, "ViewPage")->count(); ++page) {
        Page(form, "ViewPage")->setCurrentIndex(page);
        ClickRow(Grid(form, "OrdGrid"), page % 2);
        EXPECT_EQ(form.PlainSutraOnShow(), page % 2);
        EXPECT_EQ(Page(form, "ViewPage")->currentIndex(), page >= 4 ? 0 : page) << "from tab " << page;
    }
}

TEST(BrowseCorpusTest, TheLargestSutraShowsEveryUnitOfItsTexts)
{
    const fs::path corpus = CorpusFolder();
    if (corpus.empty()) GTEST_SKIP() << "no shared corpus";
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_TRUE(ReadSourceFolder(corpus, source, skips).Ok());
    TTemporaryFolder program;
    WriteTestDataSet(source, program.Path() / "Data");
    auto started = StartWindow(program.Path(), std::vector<std::u16string>{u"Arial"});
    ASSERT_TRUE(started->WaitUntilSettled(60000));
    TMainForm& form = *started->Form;
    const TLoadedData& data = started->State.Data;
    const std::int32_t count = data.TextFiles[0].SuttaTable.Count;
    EXPECT_EQ(Text(Label(form, "OrdCountPanel")), QString("%1 개").arg(count).toStdU16String());
    EXPECT_EQ(Grid(form, "NameGrid")->rowCount(), count);

    std::int32_t largest = 0;
    for (std::int32_t n = 1; n < count; ++n)
        if (data.TextFiles[1].SuttaTable.Items[n].BodyLength > data.TextFiles[1].SuttaTable.Items[largest].BodyLength)
            largest = n;
    form.OpenPlace({largest});
    const TSutraViewTexts texts = BuildSutraViewTexts(data, largest);
    EXPECT_EQ(Text(View(form, "TotalHanRichEdit")), AsShown(texts.TotalHan));
    EXPECT_EQ(Text(View(form, "HanRichEdit1")), AsShown(texts.HanSubject));
    EXPECT_EQ(Text(View(form, "HanRichEdit2")), AsShown(texts.HanSummary));
    EXPECT_EQ(Text(View(form, "KorRichEdit")), AsShown(texts.TotalKor));
    EXPECT_EQ(Text(View(form, "SinsuRichEdit")), AsShown(texts.TotalSinsu));
}

} // namespace
