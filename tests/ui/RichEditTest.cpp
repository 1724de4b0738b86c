// A text view that takes its text in steps and formats its runs as it comes to them ends
// up, whatever the reader did meanwhile, with the document a view filled and formatted at
// once would hold.

#include "window/widgets/RichEdit.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QTextCharFormat RedBold()
{
    QTextCharFormat format;
    format.setForeground(QColor(255, 0, 0));
    format.setFontWeight(QFont::Bold);
    return format;
}

// Long enough for many screens and steps, with CR LF and lone LF breaks, a run in each
// line and runs at the very end.
QString LongText(int lines)
{
    QString text;
    for (int line = 0; line < lines; ++line)
        text += QString("%1 가나다라 마바사 아자차카 타파하 %2 如是我聞 一時佛在").arg(line).arg(line * 7) +
                (line % 3 == 0 ? "\r\n" : "\n");
    return text + "끝 如是";
}

std::vector<THighlightRun> RunsOf(const QString& held, const QString& word)
{
    std::vector<THighlightRun> runs;
    for (qsizetype at = held.indexOf(word); at >= 0; at = held.indexOf(word, at + 1))
        runs.push_back({static_cast<std::int32_t>(at), static_cast<std::int32_t>(at + word.size())});
    return runs;
}

// The document of a view filled and formatted at once, as the views were before.
std::unique_ptr<QTextDocument> AtOnce(const QString& text, const std::vector<THighlightRun>& runs)
{
    auto document = std::make_unique<QTextDocument>();
    document->setPlainText(text);
    QTextCursor cursor(document.get());
    for (const THighlightRun& run : runs) {
        cursor.setPosition(run.Begin);
        cursor.setPosition(run.End, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(RedBold());
    }
    return document;
}

bool IsRedBold(QTextDocument* document, int position)
{
    QTextCursor cursor(document);
    cursor.setPosition(position + 1);
    return cursor.charFormat().foreground().color() == QColor(255, 0, 0) &&
           cursor.charFormat().fontWeight() == QFont::Bold;
}

class RichEditTest : public testing::Test
{
protected:
    void SetUp() override
    {
        View = std::make_unique<TRichEdit>();
        View->resize(400, 300);
    }
    void Show()
    {
        View->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(View.get()));
    }
    void Settle()
    {
        for (int pass = 0; pass < 100000 && !View->Filled(); ++pass)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<TRichEdit> View;
};

TEST_F(RichEditTest, AViewOnShowTakesTheFirstScreensAtOnceAndEndsWithTheWholeTextFormattedAsBefore)
{
    Show();
    const QString text = LongText(3000);
    const QString held = TRichEdit::HeldForm(text);
    View->SetText(text);
    const std::vector<THighlightRun> runs = RunsOf(held, "如是");
    View->SetMarks(runs, RedBold());

    EXPECT_FALSE(View->Filled()) << "the rest comes in steps";
    EXPECT_LT(View->document()->characterCount(), held.size() / 4);
    EXPECT_EQ(View->HeldText(), held) << "read whole before it is in";
    EXPECT_TRUE(IsRedBold(View->document(), runs[0].Begin));

    Settle();
    ASSERT_TRUE(View->Filled());
    EXPECT_EQ(View->textCursor().position(), runs.back().Begin) << "the caret waits for its run";
    EXPECT_EQ(View->verticalScrollBar()->value(), 0) << "and does not move the view";

    // Far down, the runs on screen are formatted without anything else reading the view.
    View->verticalScrollBar()->setValue(View->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    const int shown = View->cursorForPosition(QPoint(0, View->viewport()->height() / 2)).position();
    const auto onScreen =
        std::find_if(runs.begin(), runs.end(), [&](const THighlightRun& r) { return r.Begin >= shown; });
    ASSERT_NE(onScreen, runs.end());
    EXPECT_TRUE(IsRedBold(View->document(), onScreen->Begin));

    View->Complete();
    EXPECT_EQ(View->document()->toHtml(), AtOnce(text, runs)->toHtml());
}

TEST_F(RichEditTest, AHiddenViewWaitsUntilItIsShownOrRead)
{
    View->SetText("옛 글");
    View->Fill();
    const QString text = LongText(200);
    View->SetText(text);
    const std::vector<THighlightRun> runs = RunsOf(TRichEdit::HeldForm(text), "마바");
    View->SetMarks(runs, RedBold());
    EXPECT_EQ(View->document()->toPlainText(), "옛 글") << "nothing is put in while hidden";
    EXPECT_EQ(View->HeldText(), TRichEdit::HeldForm(text));

    View->Complete();
    EXPECT_TRUE(View->Filled());
    EXPECT_EQ(View->document()->toRawText(), TRichEdit::HeldForm(text));
    EXPECT_EQ(View->document()->toHtml(), AtOnce(text, runs)->toHtml());
}

TEST_F(RichEditTest, AScrollPositionShowsTheSameLinesAsWithEveryRunFormatted)
{
    // Bold is wider, so in a wrapped text the runs above the screen decide where it begins.
    View->setLineWrapMode(QTextEdit::WidgetWidth);
    Show();
    QString text;
    for (int line = 0; line < 400; ++line)
        text += QString("tathagata mwm %1 ").arg(line).repeated(6) + "\n";
    const std::vector<THighlightRun> runs = RunsOf(TRichEdit::HeldForm(text), "tathagata mwm");

    TRichEdit eager;
    eager.setLineWrapMode(QTextEdit::WidgetWidth);
    eager.resize(View->size());
    eager.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&eager));
    eager.SetText(text);
    eager.SetMarks(runs, RedBold());
    eager.Complete();

    View->SetText(text);
    View->SetMarks(runs, RedBold());
    Settle();
    for (int value : {3000, 9000, 1500}) {
        View->verticalScrollBar()->setValue(value);
        eager.verticalScrollBar()->setValue(value);
        QCoreApplication::processEvents();
        ASSERT_EQ(View->verticalScrollBar()->value(), value);
        EXPECT_EQ(View->cursorForPosition(QPoint(5, 5)).position(), eager.cursorForPosition(QPoint(5, 5)).position())
            << value;
    }
}

TEST_F(RichEditTest, AnEditFindsEveryRunFormattedAndMovesThemWithTheText)
{
    Show();
    const QString text = LongText(2000);
    const std::vector<THighlightRun> runs = RunsOf(TRichEdit::HeldForm(text), "如是");
    View->SetText(text);
    View->SetMarks(runs, RedBold());
    View->setFocus();
    QTest::keyClick(View.get(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(View.get(), Qt::Key_X);

    const std::unique_ptr<QTextDocument> expected = AtOnce(text, runs);
    QTextCursor(expected.get()).insertText("x");
    EXPECT_EQ(View->document()->toHtml(), expected->toHtml());

    // A text put in by other hands drops the waiting steps and runs of the old one.
    View->SetText(text);
    View->SetMarks(runs, RedBold());
    View->setPlainText("다른 글");
    Settle();
    EXPECT_EQ(View->document()->toPlainText(), "다른 글");
    EXPECT_EQ(View->HeldText(), "다른 글");
}

} // namespace
