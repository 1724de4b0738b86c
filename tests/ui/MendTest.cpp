// Views filled on hidden tabs, borders moved by hand, plain copies, tab captions and the
// search page's drop-down lists.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MendTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(LongTextDataSetSource(), Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"});
        ASSERT_TRUE(Started->WaitUntilSettled());
        QGuiApplication::clipboard()->clear();
    }
    TMainForm& Form() { return *Started->Form; }
    void Click(const char* group, int index) { Group(Form(), group)->findChildren<QRadioButton*>().at(index)->click(); }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(MendTest, ViewsFilledOnHiddenTabsOpenAtTheirTop)
{
    TPageControl* views = Page(Form(), "ViewPage");
    ASSERT_EQ(views->currentIndex(), 1);
    Grid(Form(), "OrdGrid")->setCurrentCell(1, 0);
    for (int tab : {0, 3, 2}) {
        views->setCurrentIndex(tab);
        QTest::qWait(20);
    }
    for (const char* name : {"TotalHanRichEdit", "TotalSinsuRichEdit", "SinsuRichEdit", "KorRichEdit"}) {
        QScrollBar* bar = View(Form(), name)->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 0) << name << " must be long enough to scroll";
        EXPECT_EQ(bar->value(), 0) << name;
    }
    // A later fill leaves the view on show at its top as well, after the reader scrolled.
    TRichEdit* kor = View(Form(), "KorRichEdit");
    kor->verticalScrollBar()->setValue(kor->verticalScrollBar()->maximum());
    Grid(Form(), "OrdGrid")->setCurrentCell(2, 0);
    QTest::qWait(20);
    EXPECT_EQ(kor->verticalScrollBar()->value(), 0);
}

TEST_F(MendTest, ABorderMovedByHandStaysUntilTheWindowIsResized)
{
    TPageControl* views = Page(Form(), "ViewPage");
    auto* splitter = Widget<QSplitter>(Form(), "Splitter5");
    QTest::qWait(20);
    const QList<int> arranged = splitter->sizes();
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(0, 100));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(0, 100));
    const QList<int> dragged = splitter->sizes();
    ASSERT_EQ(dragged[0], arranged[0] - 100);

    views->setCurrentIndex(0);
    QTest::qWait(20);
    views->setCurrentIndex(1);
    QTest::qWait(20);
    EXPECT_EQ(splitter->sizes(), dragged);

    Form().resize(Form().width(), Form().height() + 20);
    QTest::qWait(20);
    const int sheet = Widget<QWidget>(Form(), "HangeulTabSheet")->height();
    EXPECT_EQ(splitter->sizes()[0], qRound(sheet * 0.8));
}

TEST_F(MendTest, PlainCopiesKeepNoBreakSpaces)
{
    const QString text = QString::fromUtf16(u"如\u00A0是\n我聞");
    QPlainTextEdit* memo = Memo(Form(), "SearchMemo");
    memo->setPlainText(text);
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

    // The rich edits' plain text, as a word processor gets it beside the formatted copy, and
    // the copy reduced to plain text.
    for (int mode : {1, 0}) {
        Click("CopyRG", mode);
        QGuiApplication::clipboard()->clear();
        TRichEdit* edit = View(Form(), "KorRichEdit");
        edit->setPlainText(text);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), text) << "mode " << mode;
    }
}

// The caption drawn as the tab's owner draws it: the whole tab filled with the control's
// colour, the caption centred with its top 2 pixels below the tab's top.
QImage ExpectedTab(TPageControl* page, int index, const QRect& rect)
{
    QImage image(rect.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.fillRect(image.rect(), page->palette().color(QPalette::Window));
    QFont font = page->tabBar()->font();
    font.setBold(index == page->currentIndex());
    painter.setFont(font);
    painter.setPen(index == page->currentIndex() ? QColor(0, 0, 255) : QColor(0, 0, 0));
    const QFontMetrics metrics(font);
    const QString caption = page->tabText(index);
    const int centre = (rect.left() + rect.left() + rect.width()) / 2;
    painter.drawText(QPoint(centre - metrics.horizontalAdvance(caption) / 2 - rect.left(), 2 + metrics.ascent()),
                     caption);
    return image;
}

TEST_F(MendTest, TabCaptionsStandTwoPixelsBelowTheTopOnAFilledTab)
{
    for (const char* name : {"SearchPage", "ViewPage"}) {
        TPageControl* page = Page(Form(), name);
        QTabBar* bar = page->tabBar();
        const QImage shown = bar->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int i = 0; i < bar->count(); ++i) {
            const QRect rect = bar->tabRect(i);
            EXPECT_TRUE(shown.copy(rect) == ExpectedTab(page, i, rect)) << name << " tab " << i;
        }
    }
}

TEST_F(MendTest, DropDownListsShowFieldAndListInTheContentColour)
{
    const QColor lightBrown(247, 224, 210);
    Click("ColorRG", 3);
    Page(Form(), "SearchPage")->setCurrentIndex(3);
    QTest::qWait(20);
    for (const char* name : {"TitleCombo", "KindCombo"}) {
        auto* combo = Widget<QComboBox>(Form(), name);
        // The field right of the caption and left of the arrow, top and bottom, is flat.
        const QImage field = combo->grab().toImage();
        const int x = combo->width() - 30;
        for (int y : {4, combo->height() - 5})
            EXPECT_EQ(field.pixelColor(x, y), lightBrown) << name << " y " << y;

        combo->showPopup();
        QTest::qWait(20);
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(list->isVisible()) << name;
        const QRect item = list->visualRect(list->model()->index(combo->count() - 1, 0));
        const QImage popup = list->viewport()->grab().toImage();
        EXPECT_EQ(popup.pixelColor(item.right() - 3, item.center().y()), lightBrown) << name;
        combo->hidePopup();
    }
}

} // namespace
