// Taking the reader to the words: the first run scrolled into sight, F3 through the runs,
// the find bar, the 용례 tab and Ctrl+Enter in the memo, driven through the window.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/pages/ConcordanceTab.h"
#include "window/widgets/TextFit.h"
#include "util/TextCodec.h"

#include <QTextDocument>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
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
    // Sutra 2's first edition holds its words on the first screen, below a third of it.
    std::vector<std::u16string> opening(6, u"如是我聞一時");
    opening.insert(opening.end(), {u"舍利弗目", u"揵連大比丘衆"});
    source.Suttas[1].KorBody = ChineseBody(u'K', u';', opening);
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

// Where each occurrence of word begins in view's text.
std::vector<int> Occurrences(const QTextEdit* view, const QString& word)
{
    std::vector<int> starts;
    const QString text = view->toPlainText();
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1))
        starts.push_back(static_cast<int>(at));
    return starts;
}

// The cursor rectangle of position in view's viewport.
QRect At(const QTextEdit* view, int position)
{
    QTextCursor cursor(view->document());
    cursor.setPosition(position);
    return view->cursorRect(cursor);
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
    // Shows a result as a click on its row does.
    void ShowFirst(int row = 0)
    {
        TGrid* grid = Grid(Form(), "SearchGrid");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
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
    EXPECT_EQ(together->textCursor().position(), runs[0].Begin) << "the caret at the run in view";

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

TEST_F(WordsTest, F3GoesOnFromTheCaretOrTheFirstLineShownAndPageDownFromTheRunShown)
{
    TMainForm& form = Form();
    Page(form, "ViewPage")->setCurrentIndex(0);
    Search("마바사", 0);
    ShowFirst();
    TRichEdit* view = View(form, "TotalHanRichEdit");
    QScrollBar* bar = view->verticalScrollBar();
    const std::vector<int> runs = Occurrences(view, "마바사");
    ASSERT_EQ(runs.size(), 300u);
    // The first run stands on the first screen: the title line stays, the caret at the run.
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(view->textCursor().position(), runs[0]);
    EXPECT_EQ(Count("TotalHanRichEdit"), "1 / 300");
    view->setFocus();
    Key(Qt::Key_PageDown);
    EXPECT_GT(bar->value(), 0);
    EXPECT_LT(bar->value(), view->viewport()->height() + view->fontMetrics().lineSpacing())
        << "one page on, no further";

    // From the caret, where Page Down left it; the counter follows.
    for (int page = 0; page < 4; ++page)
        Key(Qt::Key_PageDown);
    const int caret = view->textCursor().position();
    const auto after = [&](int position, bool atOrAfter) {
        return static_cast<int>(std::find_if(runs.begin(), runs.end(),
                                             [&](int run) { return atOrAfter ? run >= position : run > position; }) -
                                runs.begin());
    };
    const int next = after(caret, false);
    ASSERT_GT(next, 5);
    Key(Qt::Key_F3);
    EXPECT_EQ(view->textCursor().position(), runs[next]);
    EXPECT_EQ(Count("TotalHanRichEdit"), QString("%1 / 300").arg(next + 1));
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(view->textCursor().position(), runs[next - 1]);
    EXPECT_EQ(Count("TotalHanRichEdit"), QString("%1 / 300").arg(next));

    // The scroll bar leaves the caret behind: from the first line shown, either way.
    for (const auto& [step, scrolled] : {std::pair{1, bar->maximum() / 2}, std::pair{-1, bar->maximum() / 4}}) {
        bar->setValue(scrolled);
        QTextCursor top = view->cursorForPosition(QPoint(0, 0));
        top.movePosition(QTextCursor::StartOfLine);
        const int first = after(top.position(), true);
        Key(Qt::Key_F3, step > 0 ? Qt::NoModifier : Qt::ShiftModifier);
        const int expected = step > 0 ? first : first - 1;
        EXPECT_EQ(view->textCursor().position(), runs[expected]) << step;
        EXPECT_EQ(Count("TotalHanRichEdit"), QString("%1 / 300").arg(expected + 1)) << step;
        EXPECT_TRUE(InUpperHalf(view, runs[expected])) << step;
    }
}

TEST_F(WordsTest, TheNarrowChineseViewScrollsSidewaysOnlyAsFarAsARunNeeds)
{
    TMainForm& form = Form();
    Page(form, "ViewPage")->setCurrentIndex(0);
    QCoreApplication::processEvents();
    TRichEdit* kor = View(form, "TotalKorRichEdit");
    // The pane five characters wide, some twelve lines high.
    const QFontMetrics metrics = kor->fontMetrics();
    const int wanted =
        5 * metrics.horizontalAdvance(QChar(0x4E00)) + static_cast<int>(kor->document()->documentMargin());
    auto* across = Widget<QSplitter>(form, "TotalSplitter2");
    auto* down = Widget<QSplitter>(form, "TotalSplitter1");
    const auto resize = [](QSplitter* splitter, int first) {
        const QList<int> sizes = splitter->sizes();
        splitter->setSizes({first, sizes[0] + sizes[1] - first});
    };
    const QList<int> heights = down->sizes();
    resize(down, heights[0] + heights[1] - (12 * metrics.lineSpacing() + kor->height() - kor->viewport()->height()));
    resize(across, across->sizes()[0] + wanted - kor->viewport()->width());
    QCoreApplication::processEvents();
    ASSERT_NEAR(kor->viewport()->width(), wanted, 2);

    Search("舍利弗", 3);
    ShowFirst();
    ASSERT_EQ(Page(form, "ViewPage")->currentIndex(), 0);
    kor->setFocus();
    const std::vector<TRange> runs = RedBold(kor);
    ASSERT_EQ(runs.size(), 3u);
    const auto wholeInSight = [&](const TRange& run) {
        for (int p = run.Begin; p <= run.End; ++p) {
            const QRect at = At(kor, p);
            if (at.left() < 0 || at.right() >= kor->viewport()->width()) return false;
        }
        return true;
    };
    // 舍利 ends a line of six characters and 弗 begins the next: the two together are wider
    // than the pane, so the first part stands whole in sight.
    Key(Qt::Key_F3);
    EXPECT_TRUE(wholeInSight(runs[1]));
    EXPECT_GT(kor->horizontalScrollBar()->value(), 0);
    // One that fits beside the line starts shows them.
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_TRUE(wholeInSight(runs[0]));
    EXPECT_EQ(kor->horizontalScrollBar()->value(), 0);

    // A hit on the first screen leaves the title line where it is.
    Page(form, "SearchPage")->setCurrentIndex(3);
    ShowFirst(1);
    const std::vector<TRange> second = RedBold(kor);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(kor->verticalScrollBar()->value(), 0);
    EXPECT_EQ(kor->horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(wholeInSight(second[0]));
}

TEST_F(WordsTest, TheFindBarNeverHidesTheMatchItSelects)
{
    TMainForm& form = Form();
    Search("사리불", 0);
    ShowFirst();
    Page(form, "ViewPage")->setCurrentIndex(0);
    TRichEdit* han = View(form, "TotalHanRichEdit");
    han->setFocus();
    han->moveCursor(QTextCursor::Start);
    Key(Qt::Key_F, Qt::ControlModifier);
    QWidget* bar = Widget<QWidget>(form, "FindBar");
    QLineEdit* word = Widget<QLineEdit>(form, "FindWord");
    // The lowest pixel of the selection, in the view's coordinates, where the bar stands.
    const auto matchBottom = [&] {
        const QTextCursor selection = han->textCursor();
        const int bottom =
            std::max(At(han, selection.selectionStart()).bottom(), At(han, selection.selectionEnd()).bottom());
        return han->viewport()->mapTo(han, QPoint(0, bottom)).y();
    };
    // Each found below the screen, the last at the text's very end.
    word->setText("사리불");
    for (int step = 0; step < 3; ++step) {
        Key(Qt::Key_Return);
        ASSERT_TRUE(han->textCursor().hasSelection());
        EXPECT_LT(matchBottom(), bar->geometry().top()) << step;
    }
    word->setText("아자차");
    han->moveCursor(QTextCursor::End);
    Key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(han->textCursor().selectionEnd(), han->toPlainText().lastIndexOf("아자차") + 3);
    EXPECT_LT(matchBottom(), bar->geometry().top());
    EXPECT_GE(matchBottom(), 0);
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
        // In the upper half, or on the first screen, which keeps the title line.
        EXPECT_TRUE(InUpperHalf(view, row.Run.Begin) || (view->verticalScrollBar()->value() == 0 &&
                                                         At(view, row.Run.End).bottom() < view->viewport()->height()))
            << r;
        const QString text = view->toPlainText().replace('\n', ' ');
        EXPECT_EQ(text.mid(row.Run.Begin, row.Run.End - row.Run.Begin), ToQString(row.Text));
        const int left = std::max(row.Run.Begin - 20, 0);
        EXPECT_EQ(text.mid(left, row.Run.Begin - left), ToQString(row.Left));
        EXPECT_EQ(text.mid(row.Run.End, 20), ToQString(row.Right));
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
        const QString context = ToQString(rows[r].Line());
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
        if (next != boundaries.end()) {
            EXPECT_GT(metrics.horizontalAdvance(text.left(*next)), width) << width;
        }
        const auto previous = std::lower_bound(boundaries.begin(), boundaries.end(), text.size() - tail.size());
        if (previous != boundaries.begin()) {
            EXPECT_GT(metrics.horizontalAdvance(text.mid(*std::prev(previous))), width) << width;
        }
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
