// The window's controls and editors as creation leaves them.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/widgets/Grid.h"

#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <fstream>

namespace {

const char* const RichEdits[] = {"TotalHanRichEdit", "TotalKorRichEdit", "TotalSinsuRichEdit", "HanRichEdit0",
                                 "HanRichEdit1",     "HanRichEdit2",     "KorRichEdit",        "SinsuRichEdit"};
const char* const TextMemos[] = {"SearchMemo", "ConvertSrcMemo", "ConvertDestMemo"};

class LayoutTest : public testing::Test
{
protected:
    void SetUp() override { WriteTestDataSet(SmallDataSetSource(), Program.Path() / "Data"); }

    std::unique_ptr<TStartedWindow> Create(std::vector<std::u16string> faces = {u"Arial"})
    {
        auto started = StartWindow(Program.Path(), std::move(faces), false);
        EXPECT_FALSE(started->Shell.ExitRequested());
        return started;
    }
    template <typename T> static T* Find(TMainForm& form, const char* name)
    {
        T* widget = form.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QString FaceOf(TMainForm& form, const char* name) { return Find<QWidget>(form, name)->font().family(); }

    TTemporaryFolder Program;
};

std::vector<QString> TabCaptions(QTabWidget* page)
{
    std::vector<QString> captions;
    for (int i = 0; i < page->count(); ++i)
        captions.push_back(page->widget(i)->objectName() + ":" + page->tabText(i));
    return captions;
}

TEST_F(LayoutTest, PageControlsHoldTheirTabsInOrderAndStartOnTheirFirstLists)
{
    auto started = Create();
    TMainForm& form = *started->Form;
    EXPECT_EQ(form.windowTitle(), "베스코 3  (2007.11.05 버전)");
    auto* search = Find<QTabWidget>(form, "SearchPage");
    auto* view = Find<QTabWidget>(form, "ViewPage");
    EXPECT_EQ(TabCaptions(search), (std::vector<QString>{"OrdTabSheet:경전순", "NameTabSheet:이름순",
                                                         "SubjTabSheet:주제별", "SearchTabSheet:검색하기",
                                                         "ConcordanceTabSheet:용례", "ParallelsTabSheet:대응경전"}));
    EXPECT_EQ(TabCaptions(view),
              (std::vector<QString>{"TotalTabSheet:함께보기", "HangeulTabSheet:한글대장경", "KorTabSheet:고려대장경",
                                    "SinsuTabSheet:신수대장경", "ConvertTabSheet:한자음변환", "OptionTabSheet:선택사항",
                                    "ProgramInfoTabSheet:프로그램 정보"}));
    EXPECT_EQ(search->currentIndex(), 0);
    EXPECT_EQ(view->currentIndex(), 1);

    auto* popup = Find<QMenu>(form, "RichPopup");
    QStringList items;
    for (QAction* action : popup->actions())
        items << action->objectName() + ":" + action->text();
    EXPECT_EQ(items, QStringList({"CtrlC1:복사하기(&C)", "CtrlV1:붙이기(&P)", "CtrlA1:모두 선택(&A)",
                                  "CtrlX1:잘라내기(&T)", ":", "CiteCopy1:인용 복사"}));
    EXPECT_TRUE(popup->actions().at(4)->isSeparator());
}

TEST_F(LayoutTest, BuildsTheTwelveEditorsInTheirPlaceholders)
{
    auto started = Create();
    TMainForm& form = *started->Form;
    for (const char* name : RichEdits) {
        auto* edit = Find<TRichEdit>(form, name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->parentWidget()->objectName(), QString(name).replace("RichEdit", "RichEditPanel"));
        EXPECT_EQ(edit->contextMenuPolicy(), Qt::CustomContextMenu) << name;
        EXPECT_FALSE(edit->isReadOnly()) << name;
        // The Korean texts wrap; the Chinese ones keep their lines and scroll sideways.
        const bool korean = QString(name).contains("Han");
        EXPECT_EQ(edit->lineWrapMode(), korean ? QTextEdit::WidgetWidth : QTextEdit::NoWrap) << name;
        EXPECT_EQ(edit->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff, korean) << name;
    }
    for (const char* name : {"CopyMemo", "SearchMemo", "ConvertSrcMemo", "ConvertDestMemo"}) {
        auto* memo = Find<QPlainTextEdit>(form, name);
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(memo->parentWidget()->objectName(), QString(name) + "Panel");
        EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap) << name;
        EXPECT_NE(memo->contextMenuPolicy(), Qt::CustomContextMenu) << name;
    }
    EXPECT_EQ(Lines(Memo(form, "SearchMemo")),
              (std::vector<std::u16string>{u"毘婆尸", u"大比丘衆", u"사리불", u"목건련"}));
    EXPECT_FALSE(Widget<QWidget>(form, "CopyMemoPanel")->isVisibleTo(&form));
    EXPECT_FALSE(Memo(form, "TempFontMemo")->isVisibleTo(&form));
    EXPECT_FALSE(Label(form, "ReadFileMsgPanel")->isVisibleTo(&form));
    EXPECT_FALSE(Label(form, "SearchMsgPanel")->isVisibleTo(&form));
}

TEST_F(LayoutTest, GridsHaveTheirColumnsAndOneEmptyRow)
{
    auto started = Create();
    const std::pair<const char*, std::vector<int>> grids[] = {
        {"OrdGrid", {40, 100, 130}},   {"NameGrid", {40, 130, 100}},   {"SubjGrid1", {220, 50}},
        {"SubjGrid2", {40, 100, 130}}, {"SearchGrid", {40, 100, 130}},
    };
    for (const auto& [name, widths] : grids) {
        auto* grid = Find<TGrid>(*started->Form, name);
        ASSERT_NE(grid, nullptr);
        std::vector<int> actual;
        for (int c = 0; c < grid->columnCount(); ++c)
            actual.push_back(grid->columnWidth(c));
        EXPECT_EQ(actual, widths) << name;
        EXPECT_EQ(grid->rowCount(), 1) << name;
        EXPECT_EQ(grid->rowHeight(0), 20) << name;
        EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows) << name;
        EXPECT_FALSE(grid->horizontalHeader()->isVisibleTo(grid)) << name;
    }
}

TEST_F(LayoutTest, EditorsTakeHanComBatangBeforeBatangBeforeGulim)
{
    const std::pair<std::vector<std::u16string>, QString> cases[] = {
        {{u"Arial", u" 바탕", u"한컴바탕\t"}, "한컴바탕"},
        {{u"바탕", u"Arial"}, "바탕"},
        {{u"Arial", u"HY바탕"}, "굴림"},
        {{}, "굴림"},
    };
    for (const auto& [faces, expected] : cases) {
        auto started = Create(faces);
        TMainForm& form = *started->Form;
        for (const char* name : RichEdits)
            EXPECT_EQ(FaceOf(form, name), expected) << name;
        for (const char* name : TextMemos)
            EXPECT_EQ(FaceOf(form, name), expected) << name;
        EXPECT_EQ(Memo(form, "TempFontMemo")->font().pixelSize(), 16);
        // CopyMemo keeps the window's font whatever the choice.
        EXPECT_EQ(FaceOf(form, "CopyMemo"), "굴림");
        EXPECT_EQ(Find<QWidget>(form, "CopyMemo")->font().pixelSize(), 13);
    }
}

TEST_F(LayoutTest, OptionGroupsShowTheStoredSettings)
{
    {
        std::ofstream ini(Program.Path() / "Vesko3.ini", std::ios::binary);
        ini << "HangeulFontSize=2\r\nTransparent=1\r\nColorIndex=7\r\nCopyTarget=1\r\n";
    }
    auto started = Create();
    TMainForm& form = *started->Form;
    EXPECT_EQ(Find<TRadioGroup>(form, "HangeulFontRG")->ItemIndex(), 2);
    EXPECT_EQ(Find<TRadioGroup>(form, "HanmoonFontRG")->ItemIndex(), 0);
    EXPECT_EQ(Find<TRadioGroup>(form, "TransparentRG")->ItemIndex(), 1);
    EXPECT_EQ(Find<TRadioGroup>(form, "ColorRG")->ItemIndex(), 7);
    EXPECT_EQ(Find<TRadioGroup>(form, "CopyRG")->ItemIndex(), 1);
    EXPECT_EQ(Find<TRadioGroup>(form, "ColorRG")->ItemCount(), 11);
}

TEST_F(LayoutTest, ResizingKeepsTheListPageWidthAndSplitsTheTextPagesInProportion)
{
    auto started = StartWindow(Program.Path(), std::vector<std::u16string>{});
    TMainForm& form = *started->Form;
    ASSERT_TRUE(started->WaitUntilSettled());
    form.resize(1200, 800);
    QTest::qWait(20);
    EXPECT_EQ(Page(form, "SearchPage")->width(), 301);
    EXPECT_EQ(Page(form, "ViewPage")->x() + Page(form, "ViewPage")->width(), 1200);
    EXPECT_EQ(Page(form, "ViewPage")->x(), 310);
    EXPECT_EQ(Page(form, "SearchPage")->height(), 800 - 2);

    // Each text page keeps its proportions, also the one that was not showing.
    for (QWidget* sheet : {Widget<QWidget>(form, "HangeulTabSheet"), Widget<QWidget>(form, "TotalTabSheet")}) {
        Page(form, "ViewPage")->setCurrentWidget(sheet);
        QTest::qWait(20);
    }
    EXPECT_NEAR(Widget<QWidget>(form, "TotalPanel1")->height(), Widget<QWidget>(form, "TotalTabSheet")->height() * 0.5,
                1);
    EXPECT_NEAR(Widget<QWidget>(form, "TotalPanel2_1")->width(), Widget<QWidget>(form, "TotalPanel2")->width() * 0.4,
                1);
    Page(form, "ViewPage")->setCurrentWidget(Widget<QWidget>(form, "HangeulTabSheet"));
    QTest::qWait(20);
    EXPECT_NEAR(Widget<QWidget>(form, "HangeulPanel1")->height(),
                Widget<QWidget>(form, "HangeulTabSheet")->height() * 0.8, 1);
    EXPECT_NEAR(Widget<QWidget>(form, "HangeulPanel2_1")->width(),
                Widget<QWidget>(form, "HangeulPanel2")->width() * 0.4, 1);
}

} // namespace
