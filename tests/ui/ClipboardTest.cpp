// The rich edits' context menu and the two copy modes, on the offscreen clipboard.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/widgets/Grid.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct TMenuState
{
    bool Copy, Paste, SelectAll, Cut;
    bool operator==(const TMenuState&) const = default;
};

class ClipboardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(SmallDataSetSource(), Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{}, false);
        ASSERT_FALSE(Started->Shell.ExitRequested());
        // A window never shown holds its input while it loads.
        Started->Form->AwaitLoading();
        QGuiApplication::clipboard()->clear();
    }
    TMainForm& Form() { return *Started->Form; }

    // Shows "如是我聞" with "是我" in red bold, as a search hit is shown.
    void ShowHit(TRichEdit* edit)
    {
        edit->SetText("如是我聞");
        QTextCharFormat hit;
        hit.setForeground(QColor(255, 0, 0));
        hit.setFontWeight(QFont::Bold);
        edit->SetRuns({{1, 3}}, hit);
    }
    static void Select(QTextEdit* edit, int start, int end)
    {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
    }
    // Opens RichPopup on edit as a right click does and reads its items while it shows.
    TMenuState OpenMenu(TRichEdit* edit)
    {
        TMenuState state{};
        QTimer::singleShot(0, [&] {
            TMainForm& form = Form();
            state = {Widget<QAction>(form, "CtrlC1")->isEnabled(), Widget<QAction>(form, "CtrlV1")->isEnabled(),
                     Widget<QAction>(form, "CtrlA1")->isEnabled(), Widget<QAction>(form, "CtrlX1")->isEnabled()};
            Widget<QMenu>(form, "RichPopup")->close();
        });
        emit edit->customContextMenuRequested(QPoint(5, 5));
        return state;
    }
    void ChooseCopyTarget(int index) { Group(Form(), "CopyRG")->findChildren<QRadioButton*>().at(index)->click(); }
    static QStringList ClipboardFormats()
    {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data != nullptr ? data->formats() : QStringList{};
    }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(ClipboardTest, MenuEnablesCopyAndCutOnlyWithASelectionAndPasteOnlyWithText)
{
    TRichEdit* edit = View(Form(), "KorRichEdit");
    edit->setPlainText("如是我聞");
    EXPECT_EQ(OpenMenu(edit), (TMenuState{false, false, true, false}));
    QGuiApplication::clipboard()->setText("佛");
    EXPECT_EQ(OpenMenu(edit), (TMenuState{false, true, true, false}));
    Select(edit, 1, 2);
    EXPECT_EQ(OpenMenu(edit), (TMenuState{true, true, true, true}));
    // The state is that of the editor the menu opens on, not of another one.
    EXPECT_EQ(OpenMenu(View(Form(), "TotalKorRichEdit")), (TMenuState{false, true, true, false}));
}

TEST_F(ClipboardTest, MenuActsOnTheEditorItWasOpenedOn)
{
    TRichEdit* edit = View(Form(), "SinsuRichEdit");
    TRichEdit* other = View(Form(), "KorRichEdit");
    edit->setPlainText("如是我聞");
    other->setPlainText("一時佛在");
    // Items are enabled as the menu opens, so it is opened again before each one.
    OpenMenu(edit);
    Widget<QAction>(Form(), "CtrlA1")->trigger();
    EXPECT_EQ(edit->textCursor().selectedText(), "如是我聞");
    EXPECT_FALSE(other->textCursor().hasSelection());

    OpenMenu(edit);
    Widget<QAction>(Form(), "CtrlX1")->trigger();
    EXPECT_TRUE(edit->toPlainText().isEmpty());
    EXPECT_EQ(ClipboardFormats(), QStringList{"text/plain"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "如是我聞");

    OpenMenu(edit);
    Widget<QAction>(Form(), "CtrlV1")->trigger();
    Widget<QAction>(Form(), "CtrlV1")->trigger();
    EXPECT_EQ(edit->toPlainText(), "如是我聞如是我聞");
    EXPECT_EQ(other->toPlainText(), "一時佛在");

    Select(edit, 0, 2);
    OpenMenu(edit);
    Widget<QAction>(Form(), "CtrlC1")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "如是");
    EXPECT_EQ(ClipboardFormats(), QStringList{"text/plain"});
}

TEST_F(ClipboardTest, CtrlCInModeZeroLeavesOnlyThePlainText)
{
    TRichEdit* edit = View(Form(), "TotalKorRichEdit");
    ShowHit(edit);
    Select(edit, 0, 4);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardFormats(), QStringList{"text/plain"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "如是我聞");

    Select(edit, 1, 3);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(ClipboardFormats(), QStringList{"text/plain"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "是我");
    EXPECT_EQ(edit->toPlainText(), "如聞");
}

TEST_F(ClipboardTest, CtrlCInModeOneKeepsTheViewsFontColoursAndBold)
{
    ChooseCopyTarget(1);
    EXPECT_EQ(Started->State.GlobalInfo.Settings.CopyTarget, 1);
    TRichEdit* edit = View(Form(), "HanRichEdit0");
    ShowHit(edit);
    Select(edit, 0, 4);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data != nullptr && data->hasHtml()) << ClipboardFormats().join(',').toStdString();
    EXPECT_TRUE(data->html().contains("color:#ff0000")) << data->html().toStdString();
    EXPECT_TRUE(data->html().contains("font-weight:700")) << data->html().toStdString();
    // The view's own face and size go with it, on every run.
    EXPECT_EQ(data->html().count("font-family:'굴림'; font-size:10pt;"), 3) << data->html().toStdString();
    EXPECT_EQ(data->text(), "如是我聞");
}

TEST_F(ClipboardTest, CtrlCWithoutSelectionStillMakesTheClipboardPlain)
{
    // Whatever text another program left is reduced to plain text.
    auto* rich = new QMimeData;
    rich->setHtml("<b>佛</b>");
    rich->setText("佛");
    QGuiApplication::clipboard()->setMimeData(rich);
    TRichEdit* edit = View(Form(), "TotalHanRichEdit");
    edit->setPlainText("여시아문");
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardFormats(), QStringList{"text/plain"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "佛");

    // A clipboard without text is left as it was.
    auto* other = new QMimeData;
    other->setData("application/x-vesko3-test", "data");
    QGuiApplication::clipboard()->setMimeData(other);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardFormats(), QStringList{"application/x-vesko3-test"});
}

TEST_F(ClipboardTest, OtherKeysAndChangingTheModeConvertNothing)
{
    TRichEdit* edit = View(Form(), "KorRichEdit");
    ShowHit(edit);
    Select(edit, 0, 4);
    edit->copy();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Right);
    ChooseCopyTarget(1);
    ChooseCopyTarget(0);
    EXPECT_TRUE(ClipboardFormats().contains("text/html"));
}

TEST_F(ClipboardTest, MemosCopyPlainTextOfTheirOwnInEitherMode)
{
    ChooseCopyTarget(1);
    for (QPlainTextEdit* memo :
         {Memo(Form(), "SearchMemo"), Memo(Form(), "ConvertSrcMemo"), Memo(Form(), "ConvertDestMemo")}) {
        memo->setPlainText("如是\n我聞");
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(ClipboardFormats(), QStringList{"text/plain"}) << memo->objectName().toStdString();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "如是\n我聞");
        EXPECT_NE(memo->contextMenuPolicy(), Qt::CustomContextMenu);
    }
}

} // namespace
