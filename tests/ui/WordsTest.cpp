// Taking the reader to the words: the first run scrolled into sight, F3 through the runs,
// the find bar, the 용례 tab and Ctrl+Enter in the memo, driven through the window.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/pages/ConcordanceTab.h"
#include "window/widgets/TextFit.h"

#include <QTextDocument>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Chinese lines behind 18-unit heads, as the data files hold them.
std::u16string ChineseBody(char16_t letter, char16_t close, const std::vector<std::u16string>& lines)
{
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += u"\r\n";
        text += letter;
        text += u"01n0001_p0001a";
        text += static_cast<char16_t>(u'0' + (i + 1) / 10 % 10);
        text += static_cast<char16_t>(u'0' + (i + 1) % 10);
        text += close;
        text += lines[i];
    }
    return text;
}

// Sutra 1's texts hold their words only in their middle; 사리불 once across a line break,
// 衆 once as its variant 眾.
TDataSetSource WordsSource()
{
    TDataSetSource source = SmallDataSetSource();
    std::u16string han;
    std::vector<std::u16string> kor, sinsu;
    for (int i = 0; i < 150; ++i) {
        han += u"가나다라 마바사 아자차\r\n";
        kor.push_back(u"如是我聞一時");
        sinsu.push_back(u"如是我聞一時");
    }
    han += u"사리불 하나\r\n둘 사리\r\n불 셋 사리불";
    kor.insert(kor.end(), {u"舍利弗在", u"大比丘眾舍利", u"弗"});
    sinsu.insert(sinsu.end(), {u"舍利弗在舍利弗"});
    // As many lines after, so that a run can stand a third from the top.
    for (int i = 0; i < 150; ++i) {
        han += u"\r\n가나다라 마바사 아자차";
        kor.push_back(u"如是我聞一時");
        sinsu.push_back(u"如是我聞一時");
    }
    source.Suttas[0].HanBody = han;
    source.Suttas[0].KorBody = ChineseBody(u'K', u';', kor);
    source.Suttas[0].SinsuBody = ChineseBody(u'T', u'\u2551', sinsu);
    return source;
}

struct TRange
{
    int Begin, End;
    bool operator==(const TRange&) const = default;
};

std::vector<TRange> RedBold(const TRichEdit* view)
{
    std::vector<TRange> ranges;
    const std::unique_ptr<QTextDocument> shown = view->FormattedCopy();
    for (QTextBlock block = shown->begin(); block.isValid(); block = block.next())
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().foreground().color() != QColor(255, 0, 0)) continue;
            const int begin = fragment.position(), end = begin + fragment.length();
            if (!ranges.empty() && ranges.back().End == begin)
                ranges.back().End = end;
            else
                ranges.push_back({begin, end});
        }
    return ranges;
}

// Whether position stands in the visible part of view, in its upper half.
bool InUpperHalf(QTextEdit* view, int position)
{
    QTextCursor cursor = view->textCursor();
    cursor.setPosition(position);
    const QRect at = view->cursorRect(cursor);
    return at.top() >= 0 && at.bottom() < view->viewport()->height() / 2 + at.height() && at.left() >= 0 &&
           at.right() < view->viewport()->width();
}

class WordsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(WordsSource(), Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"});
        ASSERT_TRUE(Started->WaitUntilSettled());
        Page(Form(), "SearchPage")->setCurrentWidget(Widget<QWidget>(Form(), "SearchTabSheet"));
        Form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }
    TMainForm& Form() { return *Started->Form; }

    void Search(const QString& memo, int canon)
    {
        Memo(Form(), "SearchMemo")->setPlainText(memo);
        Widget<QComboBox>(Form(), "TitleCombo")->setCurrentIndex(canon);
        QTest::mouseClick(Widget<QPushButton>(Form(), "SearchButton"), Qt::LeftButton);
    }
    // Shows the first result as a click on its row does.
    void ShowFirst()
    {
        TGrid* grid = Grid(Form(), "SearchGrid");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
    }
    QString Count(const char* view) { return Label(Form(), (std::string(view) + "HitCount").c_str())->text(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Form();
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(WordsTest, TheFirstRunOfEachHighlightedViewIsScrolledIntoSight)
{
    TMainForm& form = Form();
    Page(form, "ViewPage")->setCurrentIndex(0);
    Search("사리불", 0);
    ShowFirst();
    TRichEdit* together = View(form, "TotalHanRichEdit");
    const std::vector<TRange> runs = RedBold(together);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_GT(together->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(InUpperHalf(together, runs[0].Begin));
    EXPECT_EQ(View(form, "TotalKorRichEdit")->verticalScrollBar()->value(), 0) << "no run, left at the top";
    EXPECT_EQ(together->textCursor().position(), runs.back().Begin) << "the caret stays on the last run";

    // The view on the hidden tab is scrolled when it comes on show, at its own size.
    Page(form, "ViewPage")->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(InUpperHalf(View(form, "HanRichEdit0"), runs[0].Begin));
}

TEST_F(WordsTest, F3StepsThroughTheOccurrencesOfTheActiveViewAndStopsAtEitherEnd)
{
    TMainForm& form = Form();
    Search("舍利弗", 3);
    ShowFirst();
    ASSERT_EQ(Page(form, "ViewPage")->currentIndex(), 0);
    TRichEdit* kor = View(form, "TotalKorRichEdit");
    TRichEdit* sinsu = View(form, "TotalSinsuRichEdit");
    const std::vector<TRange> korRuns = RedBold(kor);
    // 舍利弗 | 舍利 and 弗 either side of a line break, which are one occurrence.
    ASSERT_EQ(korRuns.size(), 3u);
    EXPECT_EQ(Count("TotalKorRichEdit"), "1 / 2");

    // No view has the focus: the first highlighted view of the tab moves, over the broken
    // occurrence in one step.
    Key(Qt::Key_F3);
    EXPECT_EQ(kor->textCursor().position(), korRuns[1].Begin);
    EXPECT_FALSE(kor->textCursor().hasSelection());
    EXPECT_TRUE(InUpperHalf(kor, korRuns[1].Begin));
    Key(Qt::Key_F3);
    EXPECT_EQ(Count("TotalKorRichEdit"), "2 / 2 끝");
    EXPECT_EQ(kor->textCursor().position(), korRuns[1].Begin);
    EXPECT_EQ(RedBold(kor), korRuns) << "the runs stay red";

    // The focused view moves on its own; the other keeps its place.
    sinsu->setFocus();
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Count("TotalSinsuRichEdit"), "1 / 2 처음");
    Key(Qt::Key_F3);
    EXPECT_EQ(Count("TotalSinsuRichEdit"), "2 / 2");
    EXPECT_EQ(sinsu->textCursor().position(), RedBold(sinsu)[0].Begin + 4);
    EXPECT_EQ(Count("TotalKorRichEdit"), "2 / 2 끝");
    kor->setFocus();
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Count("TotalKorRichEdit"), "1 / 2");
}

TEST_F(WordsTest, TheFindBarFindsAcrossLineBreaksAndVariantsWithoutChangingTheText)
{
    TMainForm& form = Form();
    Search("사리불", 0);
    ShowFirst();
    Page(form, "ViewPage")->setCurrentIndex(0);
    TRichEdit* han = View(form, "TotalHanRichEdit");
    const QString before = han->toPlainText();
    han->setFocus();
    han->moveCursor(QTextCursor::Start);
    Key(Qt::Key_F, Qt::ControlModifier);
    QLineEdit* word = Widget<QLineEdit>(form, "FindWord");
    ASSERT_TRUE(word->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), word);
    word->setText("사리불");
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    const int across = static_cast<int>(before.indexOf("사리\n불"));
    EXPECT_EQ(han->textCursor().selectionStart(), across);
    EXPECT_EQ(han->textCursor().selectionEnd(), across + 4);
    EXPECT_EQ(Label(form, "FindStatus")->text(), "2 / 3"); // the title line holds none
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Label(form, "FindStatus")->text(), "1 / 3");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(word->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), han);
    EXPECT_EQ(han->toPlainText(), before);

    // A Chinese view: the line break between 舍利 and 弗 is stepped over, 衆 finds 眾 while
    // the variant box is ticked.
    TRichEdit* kor = View(form, "TotalKorRichEdit");
    kor->setFocus();
    kor->moveCursor(QTextCursor::Start);
    Key(Qt::Key_F, Qt::ControlModifier);
    word->setText("比丘衆舍利弗");
    Key(Qt::Key_Return);
    const QString korText = kor->toPlainText();
    EXPECT_EQ(kor->textCursor().selectedText(),
              korText.mid(korText.indexOf("比丘眾"), 7).replace('\n', QChar::ParagraphSeparator));
    Widget<QCheckBox>(form, "SameCharacterCB")->setChecked(false);
    Key(Qt::Key_Return);
    EXPECT_EQ(Label(form, "FindStatus")->text(), "없음");
}

TEST_F(WordsTest, ConcordanceRowsAgreeWithTheViewsTheyOpen)
{
    TMainForm& form = Form();
    Search("舍利弗\n比丘", 3);
    TPageControl* searchPage = Page(form, "SearchPage");
    searchPage->setCurrentIndex(4);
    QTableView* grid = Widget<QTableView>(form, "ConcordanceGrid");
    QAbstractItemModel* model = grid->model();
    // Sutra 1: two occurrences of 舍利弗 in each edition, the second in the first edition
    // broken by a line break and listed once, whole; one 比丘 in the first edition; sutra 2:
    // 舍利弗比丘 in each.
    ASSERT_EQ(model->rowCount(), 9);
    EXPECT_EQ(Text(Label(form, "ConcordanceCountPanel")), u"9 개");
    EXPECT_EQ(Widget<TConcordanceTab>(form, "ConcordanceTabSheet")->Rows().Rows[2].Text, u"舍利 弗");
    for (int r = model->rowCount() - 1; r >= 0; r -= 3) {
        grid->setFocus();
        grid->setCurrentIndex(model->index(r, 0));
        Key(Qt::Key_Return);
        const TConcordanceRow& row = Widget<TConcordanceTab>(form, "ConcordanceTabSheet")->Rows().Rows[r];
        EXPECT_EQ(model->index(r, 0).data().toString(), QString::number(row.Sutra + 1));
        TRichEdit* view = View(form, row.Family == 1 ? "TotalKorRichEdit" : "TotalSinsuRichEdit");
        EXPECT_EQ(view->textCursor().position(), row.Run.Begin) << r;
        EXPECT_TRUE(InUpperHalf(view, row.Run.Begin));
        const QString text = view->toPlainText().replace('\n', ' ');
        EXPECT_EQ(text.mid(row.Run.Begin, row.Run.End - row.Run.Begin), QString::fromStdU16String(row.Text));
        const int left = std::max(row.Run.Begin - 20, 0);
        EXPECT_EQ(text.mid(left, row.Run.Begin - left), QString::fromStdU16String(row.Left));
        EXPECT_EQ(text.mid(row.Run.End, 20), QString::fromStdU16String(row.Right));
        EXPECT_EQ(searchPage->currentIndex(), 4);
    }
    // A new search empties the list until it is filled again.
    searchPage->setCurrentIndex(3);
    Search("없는말", 3);
    searchPage->setCurrentIndex(4);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(Text(Label(form, "ConcordanceCountPanel")), u"0 개");
}

TEST_F(WordsTest, AClickOnAConcordanceRowShowsItsRunAndAScreenReaderReadsItsContext)
{
    TMainForm& form = Form();
    Search("舍利弗\n比丘", 3);
    const QString before = View(form, "TotalKorRichEdit")->PlainText();
    Page(form, "SearchPage")->setCurrentIndex(4);
    QTableView* grid = Widget<QTableView>(form, "ConcordanceGrid");
    ASSERT_EQ(grid->model()->rowCount(), 9);
    EXPECT_EQ(View(form, "TotalKorRichEdit")->PlainText(), before) << "filling the list shows no row";

    const auto& rows = Widget<TConcordanceTab>(form, "ConcordanceTabSheet")->Rows().Rows;
    for (int r : {4, 0}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(r, 1)).center());
        TRichEdit* view = View(form, rows[r].Family == 1 ? "TotalKorRichEdit" : "TotalSinsuRichEdit");
        EXPECT_EQ(view->textCursor().position(), rows[r].Run.Begin) << r;
        EXPECT_EQ(QApplication::focusWidget(), grid);
    }

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), "용례");
    EXPECT_EQ(table->tableInterface()->columnDescription(0), "번호");
    for (int r = 0; r < 9; ++r) {
        const QString context = QString::fromStdU16String(rows[r].Left + rows[r].Text + rows[r].Right);
        const QString read = table->tableInterface()->cellAt(r, 1)->text(QAccessible::Name);
        EXPECT_TRUE(read.contains(context)) << read.toStdString();
        EXPECT_TRUE(read.contains(grid->model()->index(r, 1).data().toString())) << "the sutra too";
    }
}

// A context is cut to the room either side of its run; a character of two units or with a
// mark goes whole or not at all, and as much as fits is kept.
TEST(TextFit, CutsOnlyBetweenWholeCharactersKeepingAllThatFits)
{
    const QString text = QString::fromStdU16String(u"가𠀀나é다𠀁");
    const QFontMetrics metrics(QApplication::font());
    const std::vector<qsizetype> boundaries = {0, 1, 3, 4, 6, 7, 9};
    auto whole = [&](qsizetype at) { return std::find(boundaries.begin(), boundaries.end(), at) != boundaries.end(); };
    for (int width = 0; width <= metrics.horizontalAdvance(text) + 1; ++width) {
        const QString head = FittingHead(text, metrics, width);
        const QString tail = FittingTail(text, metrics, width);
        ASSERT_TRUE(text.startsWith(head) && text.endsWith(tail));
        EXPECT_TRUE(whole(head.size()) && whole(text.size() - tail.size())) << width;
        EXPECT_LE(metrics.horizontalAdvance(head), width);
        EXPECT_LE(metrics.horizontalAdvance(tail), width);
        const auto next = std::upper_bound(boundaries.begin(), boundaries.end(), head.size());
        if (next != boundaries.end()) EXPECT_GT(metrics.horizontalAdvance(text.left(*next)), width) << width;
        const auto previous = std::lower_bound(boundaries.begin(), boundaries.end(), text.size() - tail.size());
        if (previous != boundaries.begin())
            EXPECT_GT(metrics.horizontalAdvance(text.mid(*std::prev(previous))), width) << width;
    }
}

TEST_F(WordsTest, CtrlEnterInTheMemoSearchesAndEnterAddsALine)
{
    TMainForm& form = Form();
    QPlainTextEdit* memo = Memo(form, "SearchMemo");
    memo->setPlainText("사리불");
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(memo->blockCount(), 2);
    EXPECT_EQ(Text(Label(form, "SearchCountPanel")), u"");
    QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(memo->blockCount(), 2);
    EXPECT_EQ(Text(Label(form, "SearchCountPanel")), u"2 개");
}

} // namespace
