// Keyboard, the lists' find box, back and forward, and the reader's state across two windows.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/pages/TextViews.h"

#include <QTextDocument>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <fstream>

namespace {

class ReadingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(LongTextDataSetSource(), Program.Path() / "Data");
        Start();
    }
    void Start(bool ignoreSaved = false)
    {
        Started.reset();
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"}, true,
                              TReaderStateFile{StatePath(), ignoreSaved});
        ASSERT_TRUE(Started->WaitUntilSettled());
        Form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }
    std::filesystem::path StatePath() const { return Program.Path() / "config" / "reader-state.json"; }
    TMainForm& Form() { return *Started->Form; }
    QWidget* Focused() const { return QApplication::focusWidget(); }
    static QString FocusedName()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    }
    // Types text as keys carrying it, as a keyboard or the input method's direct keys do.
    static void Type(QWidget* widget, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, c == ' ' ? Qt::Key_Space : 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : widget, &press);
        }
    }
    // The sutra the views show, by the name in its title line.
    QString Shown() { return View(Form(), "TotalHanRichEdit")->PlainText().section(u'\n', 0, 0); }
    static QString TitleOf(const char* name) { return QString("#제목:") + name; }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(Focused() ? Focused() : &Form(), static_cast<Qt::Key>(key), modifiers);
    }
    // Makes row current as a list's keyboard does, which shows its sutra.
    void ShowRow(int row)
    {
        Page(Form(), "SearchPage")->setCurrentIndex(0);
        TGrid* grid = Grid(Form(), "OrdGrid");
        if (grid->currentRow() == row) {
            const QSignalBlocker blocker(grid);
            grid->setCurrentCell(row == 0 ? 1 : 0, 0);
        }
        grid->setCurrentCell(row, 0);
        QTest::qWait(10);
    }
    QScrollBar* Bar(const char* view) { return View(Form(), view)->verticalScrollBar(); }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(ReadingTest, TabLeavesMemosAndViewsAlongTheChain)
{
    Page(Form(), "SearchPage")->setCurrentIndex(3);
    QPlainTextEdit* memo = Memo(Form(), "SearchMemo");
    const QString words = memo->toPlainText();
    memo->setFocus();
    // The chosen one of the two radio buttons stands for both, as in any radio group.
    for (const char* next : {"SearchRadio0", "SearchButton", "SearchGrid"}) {
        Key(Qt::Key_Tab);
        EXPECT_EQ(FocusedName(), next);
    }
    memo->setFocus();
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusedName(), "KindCombo");
    EXPECT_EQ(memo->toPlainText(), words);

    // From a list to the views of the tab on show (한글대장경), and on out of the views.
    Page(Form(), "SearchPage")->setCurrentIndex(0);
    Grid(Form(), "OrdGrid")->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusedName(), "HanRichEdit0");
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusedName(), "HanRichEdit1");
    EXPECT_FALSE(View(Form(), "HanRichEdit0")->toPlainText().contains('\t'));

    Page(Form(), "ViewPage")->setCurrentIndex(4);
    Memo(Form(), "ConvertSrcMemo")->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), Widget(Form(), "ConvertButton"));
}

TEST_F(ReadingTest, KeysReachTheSearchWordsTheListTabsAndShowARow)
{
    Grid(Form(), "OrdGrid")->setFocus();
    Key(Qt::Key_F6);
    EXPECT_EQ(Page(Form(), "SearchPage")->currentIndex(), 3);
    EXPECT_EQ(Focused(), Memo(Form(), "SearchMemo"));
    for (int tab : {2, 0, 1}) {
        Key(Qt::Key_1 + tab, Qt::ControlModifier);
        EXPECT_EQ(Page(Form(), "SearchPage")->currentIndex(), tab);
    }
    Key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Focused(), Memo(Form(), "SearchMemo"));

    // Enter shows the current row as a click does, also after the views were changed by hand.
    Page(Form(), "SearchPage")->setCurrentIndex(1);
    TGrid* names = Grid(Form(), "NameGrid");
    names->setFocus();
    names->setCurrentCell(2, 0);
    Form().OpenPlace({Form().PlainSutraOnShow(), true});
    View(Form(), "TotalHanRichEdit")->clear();
    Key(Qt::Key_Return);
    EXPECT_TRUE(Shown().startsWith("#제목:")) << Shown().toStdString();
}

TEST_F(ReadingTest, TypingInACatalogueListFindsRowsWithoutShowingThem)
{
    TGrid* grid = Grid(Form(), "OrdGrid");
    grid->setFocus();
    const QString before = Shown();
    Type(grid, "대 본");
    auto* box = Widget<QLineEdit>(Form(), "OrdGridFindBox");
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(grid->currentRow(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 3) << "the next 대본경";
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 0) << "round to the first";
    Key(Qt::Key_Up);
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(Shown(), before) << "moving in the box shows nothing";
    Key(Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(Focused(), grid);
    EXPECT_EQ(Shown(), TitleOf("증일아함 0001  대본경"));

    // Digits find the catalogue number; Esc closes the box.
    QTest::keyClicks(grid, "3");
    EXPECT_EQ(grid->currentRow(), 2);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());

    // Korean composed by the input method opens the box as well.
    QInputMethodEvent composed;
    composed.setCommitString("무상");
    QApplication::sendEvent(grid, &composed);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "무상");
    EXPECT_EQ(grid->currentRow(), 2);
}

TEST_F(ReadingTest, TypingThatNamesNoSutraSaysSoAndLeavesTheListWhereItWas)
{
    TGrid* grid = Grid(Form(), "OrdGrid");
    ShowRow(2);
    grid->setFocus();
    QLabel* status = Label(Form(), "OrdGridFindBoxStatus");
    Type(grid, "1");
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(status->text(), "");
    Type(grid, "9");
    EXPECT_EQ(status->text(), "없음");
    EXPECT_EQ(grid->currentRow(), 2) << "back on the row the typing started from";
    Key(Qt::Key_Backspace);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(status->text(), "");
    Key(Qt::Key_Escape);

    // A collection's first syllable and a number; under a filter, a number within the collection.
    grid->setFocus();
    Type(grid, "증1");
    EXPECT_EQ(grid->currentRow(), 3);
    Key(Qt::Key_Escape);
    Group(Form(), "RadioGroup0_1")->SetItemIndex(3);
    ASSERT_EQ(Numbers(grid), std::vector<std::u16string>{u"3"});
    grid->setFocus();
    Type(grid, "3");
    EXPECT_EQ(status->text(), "없음") << "잡아함 has no sutra 3 of its own";
    Key(Qt::Key_Backspace);
    Type(grid, "1");
    EXPECT_EQ(status->text(), "");
    EXPECT_EQ(grid->currentRow(), 0);
}

TEST_F(ReadingTest, BackAndForwardRestoreEachSutrasTabAndScrolling)
{
    ShowRow(0);
    ShowRow(1);
    Page(Form(), "ViewPage")->setCurrentIndex(2);
    QTest::qWait(20);
    Bar("KorRichEdit")->setValue(200);
    ShowRow(2);
    EXPECT_EQ(Shown(), TitleOf("잡아함 0001  무상경"));

    Key(Qt::Key_Left, Qt::AltModifier);
    QTest::qWait(20);
    EXPECT_EQ(Shown(), TitleOf("중아함 0001  선법경"));
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 2);
    EXPECT_EQ(Bar("KorRichEdit")->value(), 200);
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(), TitleOf("장아함 0001  대본경"));
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 1);
    EXPECT_EQ(Grid(Form(), "OrdGrid")->currentRow(), 0) << "the list marks the sutra gone back to";
    Key(Qt::Key_Right, Qt::AltModifier);
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Shown(), TitleOf("잡아함 0001  무상경"));

    // The mouse's back button, pressed anywhere in the window.
    QWidget* viewport = View(Form(), "KorRichEdit")->viewport();
    QMouseEvent back(QEvent::MouseButtonPress, QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), Qt::BackButton,
                     Qt::BackButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &back);
    EXPECT_EQ(Shown(), TitleOf("중아함 0001  선법경"));
}

TEST_F(ReadingTest, GoingBackToASearchHitMarksItAgain)
{
    Page(Form(), "SearchPage")->setCurrentIndex(3);
    Memo(Form(), "SearchMemo")->setPlainText("무상");
    QTest::mouseClick(Widget<QPushButton>(Form(), "SearchButton"), Qt::LeftButton);
    TGrid* results = Grid(Form(), "SearchGrid");
    ASSERT_GE(results->rowCount(), 1);
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualRect(results->model()->index(0, 0)).center());
    auto marked = [&] {
        const std::unique_ptr<QTextDocument> shown = View(Form(), "TotalHanRichEdit")->FormattedCopy();
        for (QTextBlock block = shown->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().foreground().color() == QColor(255, 0, 0)) return true;
        return false;
    };
    ASSERT_TRUE(marked());
    ShowRow(0);
    EXPECT_FALSE(marked());
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(Shown().contains("무상경"));
    EXPECT_TRUE(marked());
}

TEST_F(ReadingTest, ARestoredHitHasItsRowItsRunInViewAndTheCaretThere)
{
    Page(Form(), "SearchPage")->setCurrentIndex(3);
    Memo(Form(), "SearchMemo")->setPlainText("본문");
    QTest::mouseClick(Widget<QPushButton>(Form(), "SearchButton"), Qt::LeftButton);
    TGrid* results = Grid(Form(), "SearchGrid");
    ASSERT_EQ(results->rowCount(), 4);
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                      results->visualRect(results->model()->index(2, 0)).center());
    const int tab = Page(Form(), "ViewPage")->currentIndex();
    const std::string name = tab == 0 ? "TotalHanRichEdit" : "HanRichEdit0";
    QTest::qWait(20);
    View(Form(), name.c_str())->setFocus();
    for (int step = 0; step < 30; ++step)
        Key(Qt::Key_F3);
    const QString count = Label(Form(), (name + "HitCount").c_str())->text();
    ASSERT_EQ(count, "31 / 90");
    const int scrolled = Bar(name.c_str())->value();
    const int caret = View(Form(), name.c_str())->textCursor().position();
    Form().close();

    Start();
    QTest::qWait(50);
    EXPECT_EQ(Shown(), TitleOf("잡아함 0001  무상경"));
    EXPECT_EQ(Grid(Form(), "SearchGrid")->currentRow(), 2);
    ASSERT_EQ(Page(Form(), "ViewPage")->currentIndex(), tab);
    ASSERT_EQ(Bar(name.c_str())->value(), scrolled);
    EXPECT_EQ(Label(Form(), (name + "HitCount").c_str())->text(), count);
    EXPECT_EQ(View(Form(), name.c_str())->textCursor().position(), caret) << "Page Down goes on from there";
}

TEST_F(ReadingTest, TheNextWindowComesBackWhereTheReaderLeftOff)
{
    // A place and size the screen (800 wide offscreen) has room for: a larger one is fitted to it.
    Form().setGeometry(4, 30, 794, 580);
    QTest::qWait(20);
    ShowRow(0);
    ShowRow(2);
    auto* splitter = Widget<QSplitter>(Form(), "Splitter5");
    splitter->setSizes({300, splitter->height() - 300 - splitter->handleWidth()});
    Page(Form(), "ViewPage")->setCurrentIndex(3);
    QTest::qWait(20);
    Bar("SinsuRichEdit")->setValue(300);
    Page(Form(), "SearchPage")->setCurrentIndex(3);
    Memo(Form(), "SearchMemo")->setPlainText("색무상\n毘婆尸");
    Widget<QComboBox>(Form(), "KindCombo")->setCurrentIndex(3);
    Form().close();
    ASSERT_TRUE(std::filesystem::exists(StatePath()));

    Start();
    QTest::qWait(50);
    EXPECT_EQ(Shown(), TitleOf("잡아함 0001  무상경"));
    EXPECT_EQ(Grid(Form(), "OrdGrid")->currentRow(), 2) << "the restored sutra's row";
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 3);
    EXPECT_EQ(Bar("SinsuRichEdit")->value(), 300);
    EXPECT_EQ(Page(Form(), "SearchPage")->currentIndex(), 3);
    EXPECT_EQ(Memo(Form(), "SearchMemo")->toPlainText(), "색무상\n毘婆尸");
    EXPECT_EQ(Widget<QComboBox>(Form(), "KindCombo")->currentIndex(), 3);
    EXPECT_EQ(Form().geometry(), QRect(4, 30, 794, 580));
    Page(Form(), "ViewPage")->setCurrentIndex(1);
    QTest::qWait(20);
    EXPECT_EQ(Widget<QSplitter>(Form(), "Splitter5")->sizes().value(0), 300) << "restored on a hidden sheet";
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(), TitleOf("장아함 0001  대본경")) << "the back list came along";

    // Starting fresh ignores the file; a damaged one is ignored whole.
    Start(true);
    EXPECT_TRUE(View(Form(), "TotalHanRichEdit")->PlainText().isEmpty());
    std::ofstream(StatePath(), std::ios::binary | std::ios::trunc) << "{\"format\": \"vesko3-reader-state\", \"versi";
    Start();
    EXPECT_TRUE(View(Form(), "TotalHanRichEdit")->PlainText().isEmpty());
    EXPECT_EQ(Page(Form(), "ViewPage")->currentIndex(), 1);
}

} // namespace
