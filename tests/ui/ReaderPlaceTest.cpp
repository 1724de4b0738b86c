// What the window keeps of the reader's place: the panes across a restart, the text shown
// across a change of font or colours, and a list tab's key taking the typing to the list.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "session/ReaderState.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class ReaderPlaceTest : public testing::Test
{
protected:
    void SetUp() override { WriteTestDataSet(LongTextDataSetSource(), Program.Path() / "Data"); }
    void Start()
    {
        Started.reset();
        Started =
            StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"}, true, TReaderStateFile{StatePath()});
        ASSERT_TRUE(Started->WaitUntilSettled());
        Form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }
    std::filesystem::path StatePath() const { return Program.Path() / "config" / "reader-state.json"; }
    TMainForm& Form() { return *Started->Form; }
    void ShowTab(const char* page, int tab)
    {
        Page(Form(), page)->setCurrentIndex(tab);
        QTest::qWait(20);
    }
    QSplitter* Splitter(const char* name) { return Widget<QSplitter>(Form(), name); }
    static double Share(const QSplitter* splitter)
    {
        const QList<int> sizes = splitter->sizes();
        return static_cast<double>(sizes[0]) / (sizes[0] + sizes[1]);
    }
    std::vector<std::u16string> SavedSplitters() const
    {
        std::vector<std::u16string> names;
        const std::optional<TReaderState> state = LoadReaderState(StatePath());
        if (!state) return {u"no state"};
        for (const TSplitterPane& pane : state->Splitters)
            names.push_back(pane.Splitter);
        std::sort(names.begin(), names.end());
        return names;
    }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(ReaderPlaceTest, PanesComeBackInTheShareTheyWereLeftInAndUnseenOnesAsDesigned)
{
    // A place and size the screen (800 x 600 offscreen) has room for.
    Start();
    Form().setGeometry(4, 30, 794, 540);
    QTest::qWait(20);
    Grid(Form(), "OrdGrid")->setCurrentCell(1, 0);
    QTest::qWait(20);
    Form().close();
    // Only the 한글대장경 sheet was on show: the splitters of the other sheets were never laid out.
    EXPECT_EQ(SavedSplitters(), (std::vector<std::u16string>{u"Splitter4", u"Splitter5"}));

    Start();
    ShowTab("ViewPage", 0);
    const int sheet = Widget<QWidget>(Form(), "TotalTabSheet")->height();
    EXPECT_EQ(Splitter("TotalSplitter1")->sizes()[0], std::lround(sheet * 0.5)) << "as designed, not restored";
    ShowTab("SearchPage", 2);
    EXPECT_EQ(Splitter("SubjectSplitter")->sizes()[0],
              std::lround(Widget<QWidget>(Form(), "SubjectPanel")->height() * 0.6));
    // The reader gives the 한글대장경 pane a third of the sheet.
    QSplitter* total = Splitter("TotalSplitter1");
    const int space = total->sizes()[0] + total->sizes()[1];
    total->setSizes({space / 3, space - space / 3});
    const double share = Share(total);
    Form().close();

    // Saved as if the window had been 400 pixels taller than the screen lets it be now: the
    // pane keeps its share of the space it gets.
    TReaderState state = LoadReaderState(StatePath()).value();
    (*state.NormalGeometry)[3] += 400;
    for (TSplitterPane& pane : state.Splitters)
        if (pane.Splitter == u"TotalSplitter1")
            pane.FirstPane = static_cast<std::int32_t>(std::lround(share * (space + 400)));
    ASSERT_TRUE(SaveReaderState(StatePath(), state));
    Start();
    ShowTab("ViewPage", 0);
    const QList<int> sizes = Splitter("TotalSplitter1")->sizes();
    EXPECT_NEAR(sizes[0], share * (sizes[0] + sizes[1]), 1.0) << sizes[0] << " of " << sizes[0] + sizes[1];
}

TEST_F(ReaderPlaceTest, AFontOrColourChangeKeepsTheFirstCharacterShown)
{
    Start();
    Grid(Form(), "OrdGrid")->setCurrentCell(2, 0);
    QTest::qWait(20);
    // Each view scrolled into its text: the Korean body on its own tab, the 고려대장경 text on its.
    struct TViewAt
    {
        const char* Name;
        int Tab;
        int FirstShown = 0;
    };
    TViewAt views[] = {{"HanRichEdit0", 1}, {"KorRichEdit", 2}};
    for (TViewAt& view : views) {
        ShowTab("ViewPage", view.Tab);
        TRichEdit* edit = View(Form(), view.Name);
        edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum() / 2);
        view.FirstShown = edit->cursorForPosition(QPoint(0, 0)).position();
        ASSERT_GT(view.FirstShown, 0) << view.Name;
    }

    // The options are changed on their own tab, with the views hidden.
    ShowTab("ViewPage", 5);
    auto click = [&](const char* group, int index) {
        Group(Form(), group)->findChildren<QRadioButton*>().at(index)->click();
        QTest::qWait(20);
    };
    for (const auto& [group, index] :
         {std::pair{"HangeulFontRG", 2}, {"HanmoonFontRG", 2}, {"ColorRG", 3}, {"HangeulFontRG", 0}, {"ColorRG", 7}}) {
        click(group, index);
        for (const TViewAt& view : views) {
            ShowTab("ViewPage", view.Tab);
            TRichEdit* edit = View(Form(), view.Name);
            QTextCursor first(edit->document());
            first.setPosition(view.FirstShown);
            // The character's line is the top line on show.
            const QRect at = edit->cursorRect(first);
            EXPECT_LE(at.top(), 0) << view.Name << " after " << group << " " << index;
            EXPECT_GT(at.bottom(), 0) << view.Name << " after " << group << " " << index;
            ShowTab("ViewPage", 5);
        }
    }
}

TEST_F(ReaderPlaceTest, ListTabKeysPutTheFocusWhereTypingFindsASutra)
{
    Start();
    Grid(Form(), "OrdGrid")->setCurrentCell(0, 0);
    ShowTab("ViewPage", 2);
    TRichEdit* view = View(Form(), "KorRichEdit");
    const QString text = view->PlainText();
    auto fromTheView = [&](int tab) {
        view->setFocus();
        QTest::keyClick(view, static_cast<Qt::Key>(Qt::Key_1 + tab), Qt::ControlModifier);
        EXPECT_EQ(Page(Form(), "SearchPage")->currentIndex(), tab);
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    };
    EXPECT_EQ(fromTheView(1), "NameGrid");
    QTest::keyClicks(QApplication::focusWidget(), "3");
    EXPECT_TRUE(Widget<QLineEdit>(Form(), "NameGridFindBox")->isVisible()) << "the digits find a sutra";
    EXPECT_EQ(view->PlainText(), text) << "nothing typed into the view";
    EXPECT_EQ(fromTheView(0), "OrdGrid");
    EXPECT_EQ(fromTheView(2), "SubjGrid1");
    EXPECT_EQ(fromTheView(3), "SearchMemo") << "nothing searched yet: the words";
    EXPECT_EQ(fromTheView(4), "ConcordanceGrid");
    EXPECT_EQ(fromTheView(5), "ParallelsGrid");

    Memo(Form(), "SearchMemo")->setPlainText("본문");
    Widget<QWidget>(Form(), "SearchButton")->setFocus();
    QTest::keyClick(Widget<QWidget>(Form(), "SearchButton"), Qt::Key_Space);
    EXPECT_EQ(fromTheView(3), "SearchGrid") << "the hits found";
}

} // namespace
