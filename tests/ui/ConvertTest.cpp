// The "한자음변환" page: ConvertButtonClick over the loaded reading table.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/widgets/Grid.h"
#include "window/widgets/PlainMemo.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

class ConvertTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(SmallDataSetSource(), Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{});
        ASSERT_TRUE(Started->WaitUntilSettled());
        ASSERT_TRUE(Started->Form->DataLoaded());
        Page(Form(), "ViewPage")->setCurrentWidget(Widget<QWidget>(Form(), "ConvertTabSheet"));
    }
    TMainForm& Form() { return *Started->Form; }
    TPlainMemo* Result() { return Widget<TPlainMemo>(Form(), "ConvertDestMemo"); }
    // The result's lines as the memo's plain text gives them: a no-break space reads as a blank.
    std::vector<std::u16string> ResultLines()
    {
        std::vector<std::u16string> lines;
        if (Result()->Text().isEmpty()) return lines;
        for (const QString& line : Result()->Text().replace(QChar::Nbsp, u' ').split('\n'))
            lines.push_back(line.toStdU16String());
        return lines;
    }
    std::vector<std::u16string> Convert(const QString& source)
    {
        Memo(Form(), "ConvertSrcMemo")->setPlainText(source);
        QTest::mouseClick(Widget<QPushButton>(Form(), "ConvertButton"), Qt::LeftButton);
        // Every result line is followed by a line break, the last one too.
        std::vector<std::u16string> lines = ResultLines();
        if (!lines.empty()) {
            EXPECT_EQ(lines.back(), u"") << "the result ends in a line break";
            lines.pop_back();
        }
        return lines;
    }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(ConvertTest, EmptySourceEmptiesTheResult)
{
    Memo(Form(), "ConvertDestMemo")->setPlainText("이전 결과");
    EXPECT_TRUE(Convert("").empty());
    EXPECT_TRUE(Result()->Text().isEmpty());
}

TEST_F(ConvertTest, ThreeLinesGiveNineAndAFinalBreakAddsNothing)
{
    // The second line is all below 256 and stays; "가" has no reading and stays too.
    const QString source = "如是我聞\n\t(a1), \n色無常가\n";
    const std::vector<std::u16string> expected = {
        u"如是我聞", u"여시아문", u"", u"\t(a1), ", u"\t(a1), ", u"", u"色無常가", u"색무상가", u"",
    };
    EXPECT_EQ(Convert(source), expected);
    EXPECT_EQ(Memo(Form(), "ConvertSrcMemo")->toPlainText(), source) << "the source is not changed";
    EXPECT_EQ(Convert(source), expected) << "a second press starts from an empty result";
}

TEST_F(ConvertTest, EmptyLineInsideGivesThreeEmptyLinesAndANoBreakSpaceStays)
{
    EXPECT_EQ(Convert("佛\n\n\u00a0世"),
              (std::vector<std::u16string>{u"佛", u"불", u"", u"", u"", u"", u" 世", u" 세", u""}));
    // ResultLines() reads a no-break space as a blank; the memo itself keeps it.
    const QStringList raw = Result()->Text().split(u'\n');
    EXPECT_EQ(raw.at(6), "\u00a0世");
    EXPECT_EQ(raw.at(7), "\u00a0세");
}

TEST_F(ConvertTest, LeavesTheCaretAtTheStartWithNothingSelectedAndFocusOnTheResult)
{
    Form().activateWindow();
    Memo(Form(), "ConvertDestMemo")->setPlainText("x");
    Memo(Form(), "ConvertSrcMemo")->setFocus();
    Convert("如是\n我聞");
    EXPECT_EQ(Result()->textCursor().position(), 0);
    EXPECT_EQ(Result()->textCursor().anchor(), 0) << "nothing is selected";
    EXPECT_EQ(Form().focusWidget(), Memo(Form(), "ConvertDestMemo"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy cursor is restored";
}

} // namespace
