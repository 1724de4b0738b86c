// A text view that lays out and formats its runs as it comes to them holds, for whatever
// reads it and whatever the reader did meanwhile, the document a view filled and formatted
// at once would hold.

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

// The text with each line break one character, as the view's positions count it.
QString Held(QString text)
{
    return text.replace("\r\n", "\n");
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
        for (int pass = 0; pass < 100000 && !View->LaidOut(); ++pass)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<TRichEdit> View;
};

TEST_F(RichEditTest, AViewOnShowHoldsItsWholeTextAtOnceAndFormatsAsItComesToTheRuns)
{
    Show();
    const QString text = LongText(3000);
    View->SetText(text);
    const std::vector<THighlightRun> runs = RunsOf(Held(text), "如是");
    View->SetRuns(runs, RedBold());

    EXPECT_FALSE(View->LaidOut()) << "the rest is laid out in steps";
    EXPECT_EQ(View->PlainText(), Held(text)) << "read whole before it is laid out";
    EXPECT_EQ(View->textCursor().position(), runs.front().Begin) << "the caret at the first run";
    EXPECT_EQ(View->verticalScrollBar()->value(), 0) << "which does not move the view";
    EXPECT_TRUE(IsRedBold(View->FormattedCopy().get(), runs[0].Begin));

    Settle();
    ASSERT_TRUE(View->LaidOut());
    // Far down, the runs on screen are formatted, and the copy of a selection carries them.
    View->verticalScrollBar()->setValue(View->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    const int shown = View->cursorForPosition(QPoint(0, View->viewport()->height() / 2)).position();
    const auto onScreen =
        std::find_if(runs.begin(), runs.end(), [&](const THighlightRun& r) { return r.Begin >= shown; });
    ASSERT_NE(onScreen, runs.end());
    EXPECT_TRUE(IsRedBold(View->FormattedCopy(onScreen->Begin, onScreen->End).get(), 0));
    EXPECT_EQ(View->FormattedCopy()->toHtml(), AtOnce(text, runs)->toHtml());
}

TEST_F(RichEditTest, AHiddenViewHoldsItsWholeTextAndIsLaidOutWhenShown)
{
    View->SetText("옛 글");
    const QString text = LongText(200);
    View->SetText(text);
    const std::vector<THighlightRun> runs = RunsOf(Held(text), "마바");
    View->SetRuns(runs, RedBold());
    EXPECT_EQ(View->PlainText(), Held(text));
    EXPECT_EQ(View->FormattedCopy()->toHtml(), AtOnce(text, runs)->toHtml());
    EXPECT_FALSE(View->LaidOut()) << "nothing is laid out while hidden";

    Show();
    Settle();
    EXPECT_TRUE(View->LaidOut());
    EXPECT_EQ(View->FormattedCopy()->toHtml(), AtOnce(text, runs)->toHtml());
}

TEST_F(RichEditTest, AScrollPositionShowsTheSameLinesAsWithEveryRunFormatted)
{
    // Bold is wider, so in a wrapped text the runs above the screen decide where it begins.
    View->setLineWrapMode(QTextEdit::WidgetWidth);
    Show();
    QString text;
    for (int line = 0; line < 400; ++line)
        text += QString("tathagata mwm %1 ").arg(line).repeated(6) + "\n";
    const std::vector<THighlightRun> runs = RunsOf(Held(text), "tathagata mwm");

    QTextEdit eager;
    eager.setLineWrapMode(QTextEdit::WidgetWidth);
    eager.resize(View->size());
    eager.setDocument(AtOnce(text, runs).release());
    eager.document()->setParent(&eager);
    eager.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&eager));

    View->SetText(text);
    View->SetRuns(runs, RedBold());
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

TEST_F(RichEditTest, AnEditMovesEveryRunWithTheText)
{
    Show();
    const QString text = LongText(2000);
    const std::vector<THighlightRun> runs = RunsOf(Held(text), "如是");
    View->SetText(text);
    View->SetRuns(runs, RedBold());
    View->setFocus();
    QTest::keyClick(View.get(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(View.get(), Qt::Key_X);

    const std::unique_ptr<QTextDocument> expected = AtOnce(text, runs);
    QTextCursor(expected.get()).insertText("x");
    EXPECT_EQ(View->FormattedCopy()->toHtml(), expected->toHtml());

    // A text put in by other hands drops the runs of the old one.
    View->SetText(text);
    View->SetRuns(runs, RedBold());
    View->setPlainText("다른 글");
    EXPECT_EQ(View->PlainText(), "다른 글");
    EXPECT_TRUE(View->Runs().empty());
}

} // namespace
