// The scholar's references in the window: the copy with a citation, the go-to box and the
// parallels sheet, on long texts whose lines carry their own heads.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ReferenceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        TDataSetSource source = LongTextDataSetSource();
        source.Parallels = {{0, TParallelRelation::Full, 1, u"ma1", u"MA 1"},
                            {0, TParallelRelation::Partial, -1, u"dn14", u"DN 14"},
                            {1, TParallelRelation::Resembling, 0, u"da1", u"DA 1"}};
        WriteTestDataSet(source, Program.Path() / "Data");
        Started = Start(Program.Path());
        QGuiApplication::clipboard()->clear();
    }
    static std::unique_ptr<TStartedWindow> Start(const std::filesystem::path& folder)
    {
        auto started = StartWindow(folder, std::vector<std::u16string>{u"Arial"}, true);
        EXPECT_TRUE(started->WaitUntilSettled());
        started->Form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(started->Form.get()));
        return started;
    }
    TMainForm& Form() { return *Started->Form; }
    // The title line of the sutra on show.
    QString Shown() { return View(Form(), "TotalHanRichEdit")->PlainText().section(u'\n', 0, 0); }
    void ShowRow(int row)
    {
        Page(Form(), "SearchPage")->setCurrentIndex(0);
        TGrid* grid = Grid(Form(), "OrdGrid");
        // The row current since loading shows its sutra only when made current again.
        if (grid->currentRow() == row) {
            const QSignalBlocker blocker(grid);
            grid->setCurrentCell(row == 0 ? 1 : 0, 0);
        }
        grid->setCurrentCell(row, 0);
        QTest::qWait(10);
    }
    // Selects text in view from the start of from to the end of to.
    static void SelectBetween(TRichEdit* view, const QString& from, const QString& to)
    {
        const QString text = QString::fromStdU16String(view->PositionText());
        const int begin = text.indexOf(from);
        const int end = text.indexOf(to, begin) + to.size();
        ASSERT_GE(begin, 0);
        view->Select(begin, end);
    }
    // Types where into the go-to box, opened by Ctrl+G, and presses Enter.
    void GoTo(const QString& where)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
        auto* box = Widget<QLineEdit>(Form(), "GoToWhere");
        ASSERT_TRUE(box->hasFocus());
        box->setText(where);
        QTest::keyClick(box, Qt::Key_Return);
    }
    static QString Clipboard() { return QGuiApplication::clipboard()->text(); }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(ReferenceTest, CopiesTheSelectionWithTheCitationOfItsLinesOrItsTitle)
{
    ShowRow(0);
    // A Chinese view by Ctrl+Shift+C: the lines' breaks go, the Taishō lines are cited by page.
    Page(Form(), "ViewPage")->setCurrentIndex(3);
    TRichEdit* sinsu = View(Form(), "SinsuRichEdit");
    sinsu->setFocus();
    SelectBetween(sinsu, "我聞1", "如是我聞3");
    QTest::keyClick(sinsu, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Clipboard(), "「我聞1如是我聞2如是我聞3」(신수대장경 T01, no. 1, p. 1a01–03; 장아함 0001 대본경)");

    // The same from the menu in the together sheet's 고려대장경 view, cited by its line ids.
    TRichEdit* kor = View(Form(), "TotalKorRichEdit");
    SelectBetween(kor, "聞12", "聞12");
    QTimer::singleShot(0, [this] {
        Widget<QAction>(Form(), "CiteCopy1")->trigger();
        Widget<QMenu>(Form(), "RichPopup")->close();
    });
    emit kor->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(Clipboard(), "「聞12」(고려대장경 K01n0001_p0001a12; 장아함 0001 대본경)");

    // A Korean view, the summary too, is cited by its title and name, its line breaks kept.
    TRichEdit* han = View(Form(), "HanRichEdit0");
    SelectBetween(han, "본문 1", "대본경 본문 2");
    QTimer::singleShot(0, [this] {
        Widget<QAction>(Form(), "CiteCopy1")->trigger();
        Widget<QMenu>(Form(), "RichPopup")->close();
    });
    emit han->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(Clipboard(), "「본문 1\n대본경 본문 2」(장아함 0001 대본경)");
    TRichEdit* summary = View(Form(), "HanRichEdit2");
    summary->selectAll();
    QTimer::singleShot(0, [this] {
        Widget<QAction>(Form(), "CiteCopy1")->trigger();
        Widget<QMenu>(Form(), "RichPopup")->close();
    });
    emit summary->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(Clipboard(), "「요약 대본경\n」(장아함 0001 대본경)");
}

TEST_F(ReferenceTest, GoToShowsTheLineOnItsEditionsTabAndAnUnknownReferenceMovesNothing)
{
    ShowRow(2);
    ASSERT_TRUE(Shown().startsWith("#제목:잡아함 0001"));

    // Every sutra has the same heads; the first in catalogue order holds them.
    GoTo("T1, no. 1, p. 1a80");
    EXPECT_FALSE(Widget<QWidget>(Form(), "GoToBar")->isVisible());
    EXPECT_TRUE(Shown().startsWith("#제목:장아함 0001"));
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 3);
    TRichEdit* sinsu = View(Form(), "SinsuRichEdit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sinsu->Flashing(); }));
    // The caret at the line's first character, the line on the screen.
    const std::u16string text = sinsu->PositionText();
    const int caret = sinsu->textCursor().position();
    EXPECT_EQ(text.substr(caret - 1, 7), u"\r如是我聞80");
    EXPECT_TRUE(sinsu->viewport()->rect().contains(sinsu->cursorRect()));
    EXPECT_GT(sinsu->verticalScrollBar()->value(), 0);
    // The flash is no format of the text.
    for (QTextBlock block = sinsu->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            ASSERT_FALSE(it.fragment().charFormat().hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sinsu->Flashing(); }, 3000));

    // Back and forward know the place.
    QTest::keyClick(sinsu, Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(Shown().startsWith("#제목:잡아함 0001"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_TRUE(Shown().startsWith("#제목:장아함 0001"));
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 3);

    // A 고려대장경 line on its own tab.
    GoTo("K01n0001_p0001a07");
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 2);
    TRichEdit* kor = View(Form(), "KorRichEdit");
    EXPECT_EQ(kor->PositionText().substr(kor->textCursor().position() - 1, 6), u"\r如是我聞7");

    // No such line: the box says so and nothing moves.
    GoTo("T1 p1a95");
    EXPECT_TRUE(Widget<QWidget>(Form(), "GoToBar")->isVisible());
    EXPECT_EQ(Text(Label(Form(), "GoToStatus")), u"찾을 수 없습니다");
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 2);
    EXPECT_TRUE(Shown().startsWith("#제목:장아함 0001"));

    // A catalogue title shows its sutra as a list row does.
    Widget<QLineEdit>(Form(), "GoToWhere")->setText("증일아함 1");
    QTest::keyClick(Widget<QLineEdit>(Form(), "GoToWhere"), Qt::Key_Return);
    EXPECT_TRUE(Shown().startsWith("#제목:증일아함 0001"));
}

TEST_F(ReferenceTest, ParallelsListTheSutraOnShowAndARowShowsItsSutra)
{
    ShowRow(0);
    TPageControl* lists = Page(Form(), "SearchPage");
    lists->setCurrentIndex(5);
    TGrid* grid = Grid(Form(), "ParallelsGrid");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(CellText(grid, 0, 0), u"MA 1");
    EXPECT_EQ(CellText(grid, 0, 1), u"전체");
    EXPECT_EQ(CellText(grid, 0, 2), u"중아함 0001 선법경");
    EXPECT_EQ(CellText(grid, 1, 1), u"부분");
    EXPECT_EQ(CellText(grid, 1, 2), u"");
    EXPECT_FALSE(Label(Form(), "NoParallelsPanel")->isVisible());

    // Ctrl+C copies the current row whole.
    grid->setFocus();
    grid->setCurrentCell(1, 0);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "DN 14\t부분");

    // A parallel outside the data set shows nothing; one of the data set shows its sutra,
    // whose own parallels the sheet then lists.
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(Shown().startsWith("#제목:장아함 0001"));
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(Shown().startsWith("#제목:중아함 0001"));
    EXPECT_EQ(lists->currentIndex(), 5);
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(CellText(grid, 0, 2), u"장아함 0001 대본경");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(Shown().startsWith("#제목:장아함 0001"));

    // A data set without parallels says so.
    Started.reset();
    TTemporaryFolder bare;
    WriteTestDataSet(LongTextDataSetSource(), bare.Path() / "Data");
    Started = Start(bare.Path());
    Page(Form(), "SearchPage")->setCurrentIndex(5);
    EXPECT_TRUE(Label(Form(), "NoParallelsPanel")->isVisible());
    EXPECT_EQ(Text(Label(Form(), "NoParallelsPanel")), u"대응경전 자료가 없습니다");
}

} // namespace
