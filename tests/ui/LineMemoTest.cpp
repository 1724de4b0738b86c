// TLineMemo against the plain memo it stands in for: the same text given to both must look,
// move, select and copy alike, and editing must continue from where the reader was.

#include "window/widgets/LineMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Tabs, a no-break space, an empty line, lines of different widths and more lines than a
// screen holds, ending in a line break as a conversion result does.
QString SampleText()
{
    QString text = "如是我聞\n여시아문\n\n\t(a1), x\n\u00a0世 세\n";
    for (int i = 0; i < 60; ++i)
        text += QString("line %1 %2\n").arg(i).arg(QString(i % 7, u'字'));
    return text;
}

class LineMemoTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (QPlainTextEdit* memo : {static_cast<QPlainTextEdit*>(&Lines), static_cast<QPlainTextEdit*>(&Editor)}) {
            memo->setLineWrapMode(QPlainTextEdit::NoWrap);
            memo->resize(300, 200);
            memo->show();
        }
        Lines.ShowText(SampleText());
        Editor.setPlainText(SampleText());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Lines));
    }
    // Sends the same key to both and expects the same caret and selection.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&Lines, static_cast<Qt::Key>(key), modifiers);
        QTest::keyClick(&Editor, static_cast<Qt::Key>(key), modifiers);
        ExpectSameCaret(QKeySequence(key | modifiers).toString());
    }
    void ExpectSameCaret(const QString& after)
    {
        EXPECT_EQ(Lines.CaretPosition(), Editor.textCursor().position()) << after.toStdString();
        EXPECT_EQ(Lines.AnchorPosition(), Editor.textCursor().anchor()) << after.toStdString();
    }
    static QImage Picture(QPlainTextEdit& memo) { return memo.viewport()->grab().toImage(); }

    TLineMemo Lines;
    TPlainMemo Editor;
};

TEST_F(LineMemoTest, LooksLikeTheEditorAtTheTopScrolledAndWithASelection)
{
    EXPECT_TRUE(Lines.ShowingLines());
    EXPECT_EQ(Lines.verticalScrollBar()->maximum(), Editor.verticalScrollBar()->maximum());
    EXPECT_EQ(Lines.verticalScrollBar()->pageStep(), Editor.verticalScrollBar()->pageStep());
    EXPECT_EQ(Picture(Lines), Picture(Editor)) << "at the top";
    QTextCursor selection(Editor.document());
    selection.setPosition(2);
    selection.setPosition(24, QTextCursor::KeepAnchor);
    Editor.setTextCursor(selection);
    QTest::keyClick(&Lines, Qt::Key_Right);
    QTest::keyClick(&Lines, Qt::Key_Right);
    for (int i = 0; i < 22; ++i)
        QTest::keyClick(&Lines, Qt::Key_Right, Qt::ShiftModifier);
    ExpectSameCaret("a selection over four lines");
    EXPECT_EQ(Picture(Lines), Picture(Editor)) << "with a selection";
    Lines.verticalScrollBar()->setValue(20);
    Editor.verticalScrollBar()->setValue(20);
    EXPECT_EQ(Picture(Lines), Picture(Editor)) << "scrolled down";
    EXPECT_TRUE(Lines.ShowingLines());
}

TEST_F(LineMemoTest, KeysMoveAndSelectAsInTheEditor)
{
    Lines.setFocus();
    Key(Qt::Key_Down);
    Key(Qt::Key_End);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Left); // to the selection's start
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ControlModifier);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up); // on the first line: stays
    Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_Left); // at the start: stays
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(Lines.ShowingLines()) << "reading keys keep the lines";
}

TEST_F(LineMemoTest, CopiesWhatIsSelectedWithItsLineBreaksAndClicksLandWhereTheEditorsDo)
{
    Lines.setFocus();
    QTest::keyClick(&Lines, Qt::Key_Down);
    QTest::keyClick(&Lines, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&Lines, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&Lines, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "여시아문\n\n");
    QTest::keyClick(&Lines, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&Lines, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), SampleText()) << "the no-break space and tab stay";

    for (const QPoint point : {QPoint(30, 10), QPoint(70, 45), QPoint(5, 150), QPoint(250, 80)}) {
        QTest::mouseClick(Lines.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseClick(Editor.viewport(), Qt::LeftButton, {}, point);
        ExpectSameCaret(QString("a click at %1, %2").arg(point.x()).arg(point.y()));
    }
    QTest::mouseClick(Lines.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 10));
    QTest::mouseClick(Editor.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 10));
    ExpectSameCaret("a click with Shift");
    EXPECT_TRUE(Lines.ShowingLines());
}

TEST_F(LineMemoTest, TypingEditsWhereTheCaretIsAndKeepsTheView)
{
    Lines.setFocus();
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&Lines, Qt::Key_Down);
    QTest::keyClick(&Lines, Qt::Key_Right, Qt::ShiftModifier);
    const int top = Lines.verticalScrollBar()->value();
    ASSERT_GT(top, 0);
    QTest::keyClicks(&Lines, "x");
    EXPECT_FALSE(Lines.ShowingLines());
    EXPECT_EQ(Lines.verticalScrollBar()->value(), top);
    QString expected = SampleText();
    const int at = static_cast<int>(expected.indexOf("line 25 "));
    expected.replace(at, 1, "x");
    EXPECT_EQ(Lines.Text(), expected) << "the selected letter is replaced";
    EXPECT_EQ(Lines.CaretPosition(), at + 1);

    // A new text is shown as lines again; the editor's own call replaces it.
    Lines.ShowText("a\nb\n");
    EXPECT_TRUE(Lines.ShowingLines());
    Lines.setPlainText("c");
    EXPECT_FALSE(Lines.ShowingLines());
    EXPECT_EQ(Lines.Text(), "c");
}

} // namespace
