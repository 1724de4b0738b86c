// The search tab and the display of a result, driven through the window.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/widgets/Grid.h"

#include <QTextDocument>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int FillerCount = 120;

// The four sutras of the small set, then fillers of 장아함 that hold none of the words searched
// here, so that a 장아함 scan moves the progress bar twice. Sutra 1's body begins with its
// name; sutra 3's 신수대장경 text lacks 佛.
TDataSetSource SearchSource()
{
    TDataSetSource source = SmallDataSetSource();
    source.Suttas[1].HanBody = u"선법 사리불 목건련\r\n대비구중";
    std::replace(source.Suttas[3].SinsuBody.begin(), source.Suttas[3].SinsuBody.end(), u'佛', u'仏');
    for (int i = 0; i < FillerCount; ++i) {
        TSourceSutta filler = source.Suttas[2];
        filler.Kind = 1;
        source.Suttas.push_back(filler);
    }
    return source;
}

struct TRange
{
    int Begin, End;
    bool operator==(const TRange&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TRange& range)
{
    return out << "[" << range.Begin << ", " << range.End << ")";
}

// The [begin, end) ranges of a view in red bold, adjacent fragments joined. Every such
// fragment must carry the highlight format and nothing of the view's font.
std::vector<TRange> RedBold(const TRichEdit* view)
{
    std::vector<TRange> ranges;
    const std::unique_ptr<QTextDocument> shown = view->FormattedCopy();
    for (QTextBlock block = shown->begin(); block.isValid(); block = block.next())
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.foreground().color() != QColor(255, 0, 0) || format.fontWeight() != QFont::Bold) continue;
            EXPECT_FALSE(format.fontItalic() || format.fontUnderline() || format.fontStrikeOut());
            EXPECT_FALSE(format.hasProperty(QTextFormat::FontFamilies) ||
                         format.hasProperty(QTextFormat::FontPointSize));
            const int begin = fragment.position(), end = begin + fragment.length();
            if (!ranges.empty() && ranges.back().End == begin)
                ranges.back().End = end;
            else
                ranges.push_back({begin, end});
        }
    return ranges;
}

// Where each of the given strings stands in the view's text, in the order given.
std::vector<TRange> Find(const QTextEdit* view, std::initializer_list<QString> pieces)
{
    const QString text = view->toPlainText();
    std::vector<TRange> ranges;
    int from = 0;
    for (const QString& piece : pieces) {
        from = static_cast<int>(text.indexOf(piece, from));
        ranges.push_back({from, from + static_cast<int>(piece.size())});
        from += static_cast<int>(piece.size());
    }
    return ranges;
}

class SearchTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(SearchSource(), Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"});
        ASSERT_TRUE(Started->WaitUntilSettled());
        ASSERT_TRUE(Form().DataLoaded());
        Page(Form(), "SearchPage")->setCurrentWidget(Widget<QWidget>(Form(), "SearchTabSheet"));
        Form().activateWindow();
    }

    TMainForm& Form() { return *Started->Form; }
    std::vector<TRecordedBox>& Boxes() { return Started->Shell.Boxes; }

    std::vector<TRichEdit*> Views()
    {
        std::vector<TRichEdit*> views;
        for (const char* name : {"TotalHanRichEdit", "HanRichEdit0", "HanRichEdit1", "HanRichEdit2", "TotalKorRichEdit",
                                 "KorRichEdit", "TotalSinsuRichEdit", "SinsuRichEdit"})
            views.push_back(View(Form(), name));
        return views;
    }

    // Types the memo, chooses the canon and collection as the user does, and presses the button.
    void Search(const QString& memo, int canon, int kind = 0)
    {
        TMainForm& form = Form();
        Memo(form, "SearchMemo")->setPlainText(memo);
        Widget<QComboBox>(form, "TitleCombo")->setCurrentIndex(canon);
        Widget<QComboBox>(form, "KindCombo")->setCurrentIndex(kind);
        QTest::mouseClick(Widget<QPushButton>(form, "SearchButton"), Qt::LeftButton);
    }

    void ClickRow(int row)
    {
        TGrid* grid = Grid(Form(), "SearchGrid");
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(SearchTest, CleanedLinesAreWrittenBackForEachKindOfCanon)
{
    TMainForm& form = Form();
    Search("大 比丘\u3002\n  사리 불 \n\t", 1);
    EXPECT_EQ(Lines(Memo(form, "SearchMemo")), (std::vector<std::u16string>{u"大比丘", u"사리불", u"\t"}));
    EXPECT_EQ(Numbers(Grid(form, "SearchGrid")), std::vector<std::u16string>{u"2"});

    Search("大 比丘\u3002\n  사리 불 \n\t", 0);
    EXPECT_EQ(Lines(Memo(form, "SearchMemo")), (std::vector<std::u16string>{u"大 比丘\u3002", u"사리 불", u""}));
    EXPECT_EQ(Text(Label(form, "SearchCountPanel")), u"0 개") << "the body has 사리불 without the space";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SearchTest, ARejectedMemoLeavesTheListEmptyAndTheFocusInTheMemo)
{
    TMainForm& form = Form();
    Search("불", 0);
    ASSERT_EQ(Grid(form, "SearchGrid")->rowCount(), 3);

    const QString tooLong = QString("\n") + QString(100, QChar(u'가')) + "\n불";
    Search(tooLong, 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text, u"단어 길이가 너무 깁니다.");
    EXPECT_EQ(Boxes()[0].Caption, u"확인");
    EXPECT_EQ(Memo(form, "SearchMemo")->toPlainText(), tooLong) << "the memo keeps its lines";
    EXPECT_EQ(Numbers(Grid(form, "SearchGrid")), std::vector<std::u16string>{u""});
    EXPECT_EQ(Text(Label(form, "SearchCountPanel")), u"");
    EXPECT_EQ(Text(Label(form, "SearchTimePanel")), u"");
    EXPECT_EQ(form.focusWidget(), Memo(form, "SearchMemo"));
    EXPECT_EQ(Started->State.SearchInfo.HitCount, 0);

    Grid(form, "SearchGrid")->setFocus();
    Search(" \n\u3000\n", 1);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].Text, u"검색할 단어가 입력되지 않았습니다.");
    EXPECT_TRUE(Memo(form, "SearchMemo")->document()->isEmpty());
    EXPECT_EQ(form.focusWidget(), Memo(form, "SearchMemo"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SearchTest, ASearchListsInCatalogueOrderAndShowsNoSutra)
{
    TMainForm& form = Form();
    form.OpenPlace({2});
    const QString shown = View(form, "TotalHanRichEdit")->toPlainText();

    Search("불", 0);
    EXPECT_EQ(Numbers(Grid(form, "SearchGrid")), (std::vector<std::u16string>{u"1", u"2", u"4"}));
    EXPECT_EQ(CellText(Grid(form, "SearchGrid"), 1, 1), u"중아함 0001");
    EXPECT_EQ(CellText(Grid(form, "SearchGrid"), 1, 2), u"선법경");
    EXPECT_EQ(Text(Label(form, "SearchCountPanel")), u"3 개");
    EXPECT_EQ(Grid(form, "SearchGrid")->currentRow(), 0);
    EXPECT_EQ(form.focusWidget(), Grid(form, "SearchGrid"));
    EXPECT_EQ(form.PlainSutraOnShow(), 2) << "no row was selected";
    EXPECT_EQ(View(form, "TotalHanRichEdit")->toPlainText(), shown);

    EXPECT_TRUE(Label(form, "SearchTimePanel")->isHidden());
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d\\d초$").match(Label(form, "SearchTimePanel")->text()).hasMatch())
        << Label(form, "SearchTimePanel")->text().toStdString();
}

TEST_F(SearchTest, TheProgressBarCountsTheCollectionUnderTheBusyCursor)
{
    TMainForm& form = Form();
    struct TMove
    {
        int Value;
        bool PanelShown, Busy;
    };
    std::vector<TMove> moves;
    QObject::connect(Widget<QProgressBar>(form, "SearchProgress"), &QProgressBar::valueChanged, [&](int value) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        moves.push_back(
            {value, Label(form, "SearchMsgPanel")->isVisible(), cursor && cursor->shape() == Qt::WaitCursor});
    });

    Search("불", 0, 1); // 장아함: sutra 1 and the fillers
    EXPECT_EQ(Widget<QProgressBar>(form, "SearchProgress")->maximum(), 1 + FillerCount);
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(moves[0].Value, 50);
    EXPECT_EQ(moves[1].Value, 100);
    for (const TMove& move : moves)
        EXPECT_TRUE(move.PanelShown && move.Busy) << move.Value;
    EXPECT_EQ(Widget<QProgressBar>(form, "SearchProgress")->value(), 0);
    EXPECT_TRUE(Label(form, "SearchMsgPanel")->isHidden());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Numbers(Grid(form, "SearchGrid")), std::vector<std::u16string>{u"1"});
}

TEST_F(SearchTest, SelectingAKoreanResultHighlightsItsTwoViewsButNotTheTitle)
{
    TMainForm& form = Form();
    Page(form, "ViewPage")->setCurrentIndex(2);
    Search("선법\n련대", 0);
    ASSERT_EQ(Numbers(Grid(form, "SearchGrid")), std::vector<std::u16string>{u"2"});
    ClickRow(0);

    EXPECT_TRUE(View(form, "TotalHanRichEdit")->toPlainText().startsWith("#제목:중아함 0001  선법경\n\n선법 "));
    // 선법 stands first in the body and in the name; 련 and 대 lie either side of a line break.
    const std::vector<TRange> expected = Find(View(form, "TotalHanRichEdit"), {"선법 ", "련", "대"});
    const std::vector<TRange> highlighted{{expected[0].Begin, expected[0].End - 1}, expected[1], expected[2]};
    EXPECT_EQ(expected[1].End + 1, expected[2].Begin);
    EXPECT_EQ(RedBold(View(form, "TotalHanRichEdit")), highlighted);
    EXPECT_EQ(RedBold(View(form, "HanRichEdit0")), highlighted);
    for (TRichEdit* view : {View(form, "HanRichEdit1"), View(form, "HanRichEdit2"), View(form, "TotalKorRichEdit"),
                            View(form, "KorRichEdit"), View(form, "TotalSinsuRichEdit"), View(form, "SinsuRichEdit")})
        EXPECT_TRUE(RedBold(view).empty()) << view->objectName().toStdString();

    const QTextCursor caret = View(form, "HanRichEdit0")->textCursor();
    EXPECT_FALSE(caret.hasSelection());
    EXPECT_EQ(caret.position(), highlighted.front().Begin) << "at the run in view";
    EXPECT_FALSE(View(form, "TotalHanRichEdit")->isHidden());
    EXPECT_TRUE(View(form, "HanRichEdit0")->isVisible());
    EXPECT_EQ(Page(form, "ViewPage")->currentIndex(), 1) << "tab 2 shows no Korean text";
    EXPECT_EQ(form.PlainSutraOnShow(), -1);
    EXPECT_EQ(form.focusWidget(), Grid(form, "SearchGrid"));
}

TEST_F(SearchTest, AResultOfTheSutraShownFromAListIsHighlightedAndCounted)
{
    TMainForm& form = Form();
    Page(form, "SearchPage")->setCurrentWidget(Widget<QWidget>(form, "OrdTabSheet"));
    TGrid* list = Grid(form, "OrdGrid");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    ASSERT_EQ(form.PlainSutraOnShow(), 1);

    Page(form, "SearchPage")->setCurrentWidget(Widget<QWidget>(form, "SearchTabSheet"));
    Search("사리불", 0);
    ASSERT_EQ(Numbers(Grid(form, "SearchGrid")), std::vector<std::u16string>{u"2"});
    ClickRow(0);
    for (TRichEdit* view : {View(form, "TotalHanRichEdit"), View(form, "HanRichEdit0")})
        EXPECT_EQ(RedBold(view), Find(view, {"사리불"})) << view->objectName().toStdString();
    EXPECT_FALSE(Label(form, "TotalHanRichEditHitCount")->text().isEmpty());
    EXPECT_EQ(form.PlainSutraOnShow(), -1);
}

TEST_F(SearchTest, BothEditionsHighlightThePairsTheSutraWasFoundIn)
{
    TMainForm& form = Form();
    Page(form, "ViewPage")->setCurrentIndex(3);
    Search("佛", 3);
    ASSERT_EQ(Numbers(Grid(form, "SearchGrid")), (std::vector<std::u16string>{u"1", u"4"}));
    EXPECT_EQ(Started->State.SearchInfo.HitFlags[0], 6);
    EXPECT_EQ(Started->State.SearchInfo.HitFlags[3], 2);

    ClickRow(0);
    for (TRichEdit* view : {View(form, "TotalKorRichEdit"), View(form, "KorRichEdit"), View(form, "TotalSinsuRichEdit"),
                            View(form, "SinsuRichEdit")})
        EXPECT_EQ(RedBold(view), Find(view, {"佛"})) << view->objectName().toStdString();
    EXPECT_TRUE(RedBold(View(form, "TotalHanRichEdit")).empty());
    EXPECT_EQ(Page(form, "ViewPage")->currentIndex(), 3) << "tab 3 stays";

    // The arrow key selects the next result as a click does; only the 고려대장경 pair holds it.
    Page(form, "ViewPage")->setCurrentIndex(1);
    QTest::keyClick(Grid(form, "SearchGrid"), Qt::Key_Down);
    EXPECT_TRUE(View(form, "TotalKorRichEdit")->toPlainText().contains("毘婆尸佛"));
    EXPECT_EQ(RedBold(View(form, "KorRichEdit")), Find(View(form, "KorRichEdit"), {"佛"}));
    EXPECT_TRUE(RedBold(View(form, "TotalSinsuRichEdit")).empty());
    EXPECT_TRUE(RedBold(View(form, "SinsuRichEdit")).empty());
    EXPECT_EQ(Page(form, "ViewPage")->currentIndex(), 0) << "tab 1 gives way to the texts together";
}

TEST_F(SearchTest, TheEmptyResultRowShowsNothing)
{
    TMainForm& form = Form();
    Search("없는말", 0);
    EXPECT_EQ(Text(Label(form, "SearchCountPanel")), u"0 개");
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TRichEdit* view : Views())
        spies.push_back(std::make_unique<QSignalSpy>(view, &QTextEdit::textChanged));
    ClickRow(0);
    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 0);
    EXPECT_EQ(form.PlainSutraOnShow(), -1);
}

TEST_F(SearchTest, TheVariantBoxIsEnabledForTheChineseCanonsOnly)
{
    TMainForm& form = Form();
    QCheckBox* box = Widget<QCheckBox>(form, "SameCharacterCB");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(box->isChecked());
    Widget<QComboBox>(form, "TitleCombo")->setFocus();
    QTest::keyClick(Widget<QComboBox>(form, "TitleCombo"), Qt::Key_Down);
    EXPECT_TRUE(box->isEnabled());
    box->setChecked(false);
    QTest::keyClick(Widget<QComboBox>(form, "TitleCombo"), Qt::Key_End);
    EXPECT_TRUE(box->isEnabled());
    QTest::keyClick(Widget<QComboBox>(form, "TitleCombo"), Qt::Key_Home);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(box->isChecked()) << "the check state is left alone";
}

} // namespace
