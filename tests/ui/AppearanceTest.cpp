// Option groups, fonts, colour schemes, transparency, tab captions and pane proportions.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/widgets/Grid.h"

#include <QApplication>
#include <QComboBox>
#include <QPaintEngine>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace {

const QColor Blue(230, 230, 255);
const QColor Green(220, 245, 220);
const QColor LightBrown(247, 224, 210);
const QColor White(255, 255, 255);
const QColor Designed(235, 241, 252);

const char* const ContentControls[] = {"OrdGrid",          "NameGrid",         "SubjGrid1",          "SubjGrid2",
                                       "SearchGrid",       "TitleCombo",       "KindCombo",          "SearchMemo",
                                       "TotalHanRichEdit", "TotalKorRichEdit", "TotalSinsuRichEdit", "HanRichEdit0",
                                       "HanRichEdit1",     "HanRichEdit2",     "KorRichEdit",        "SinsuRichEdit",
                                       "ConvertSrcMemo",   "ConvertDestMemo",  "OptionNoteMemo"};

QColor SystemWindow()
{
    return QApplication::palette().color(QPalette::Base);
}

// The colour a control paints its content on: a list's or editor's viewport, a drop-down
// list's face (which must agree with its list).
QColor BackgroundOf(const QWidget* control)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        const QColor face = combo->palette().color(QPalette::Button);
        return face == combo->palette().color(QPalette::Base) ? face : QColor();
    }
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(control))
        return area->viewport()->palette().color(area->viewport()->backgroundRole());
    return control->palette().color(control->backgroundRole());
}

class AppearanceTest : public testing::Test
{
protected:
    void SetUp() override { WriteTestDataSet(SmallDataSetSource(), Program.Path() / "Data"); }

    std::unique_ptr<TStartedWindow> Start(const std::string& ini, bool show = false)
    {
        if (!ini.empty()) std::ofstream(Program.Path() / "Vesko3.ini", std::ios::binary) << ini;
        auto started = StartWindow(Program.Path(), std::vector<std::u16string>{u"바탕"}, show);
        EXPECT_FALSE(started->Shell.ExitRequested());
        return started;
    }
    static QWidget* Find(TMainForm& form, const char* name)
    {
        auto* widget = form.findChild<QWidget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void Click(TRadioGroup* group, int index) { group->findChildren<QRadioButton*>().at(index)->click(); }

    // The window colour on the window and a title bar, the content colour on every list,
    // combo box and editor, InfoMemo with the window, CopyMemo and ReadmeMemo as the system's.
    static void ExpectColours(TMainForm& form, const QColor& window, const QColor& content)
    {
        EXPECT_EQ(form.palette().color(QPalette::Window), window);
        EXPECT_EQ(BackgroundOf(Find(form, "Panel12")), window);
        EXPECT_EQ(BackgroundOf(Memo(form, "InfoMemo")), window);
        for (const char* name : ContentControls)
            EXPECT_EQ(BackgroundOf(Find(form, name)), content) << name;
        EXPECT_EQ(BackgroundOf(Memo(form, "CopyMemo")), SystemWindow());
        EXPECT_EQ(BackgroundOf(Memo(form, "ReadmeMemo")), SystemWindow());
    }

    TTemporaryFolder Program;
};

TEST_F(AppearanceTest, StoredSchemeTwoKeepsTheDesignedColoursUntilAnotherSchemeIsPicked)
{
    auto started = Start("ColorIndex=2\r\n");
    TMainForm& form = *started->Form;
    EXPECT_EQ(form.palette().color(QPalette::Window), Designed);
    EXPECT_EQ(BackgroundOf(Memo(form, "InfoMemo")), Designed);
    for (const char* name : ContentControls) {
        const bool white = std::string_view(name) == "OrdGrid" || std::string_view(name).ends_with("Combo");
        EXPECT_EQ(BackgroundOf(Find(form, name)), white ? White : SystemWindow()) << name;
    }

    Click(Group(form, "ColorRG"), 2);
    EXPECT_EQ(form.palette().color(QPalette::Window), Designed) << "the chosen item again changes nothing";
    Click(Group(form, "ColorRG"), 3);
    Click(Group(form, "ColorRG"), 2);
    ExpectColours(form, Blue, White);
    EXPECT_EQ(started->State.GlobalInfo.Settings.ColorIndex, 2);
}

TEST_F(AppearanceTest, OtherStoredSchemesAreAppliedAtStart)
{
    {
        auto started = Start("ColorIndex=9\r\n");
        ExpectColours(*started->Form, LightBrown, Green);
    }
    // Without a settings file the index is 0, "기본".
    std::filesystem::remove(Program.Path() / "Vesko3.ini");
    auto started = Start("");
    EXPECT_EQ(Group(*started->Form, "ColorRG")->ItemIndex(), 0);
    ExpectColours(*started->Form, QApplication::palette().color(QPalette::Button), White);
}

TEST_F(AppearanceTest, SchemesZeroThreeAndSevenColourWindowAndContent)
{
    auto started = Start("ColorIndex=2\r\n");
    TMainForm& form = *started->Form;
    Click(Group(form, "ColorRG"), 0);
    ExpectColours(form, QApplication::palette().color(QPalette::Button), White);
    Click(Group(form, "ColorRG"), 3);
    ExpectColours(form, Blue, LightBrown);
    Click(Group(form, "ColorRG"), 7);
    ExpectColours(form, Green, Blue);
    EXPECT_EQ(started->State.GlobalInfo.Settings.ColorIndex, 7);
}

TEST_F(AppearanceTest, FontLevelsSetFaceAndPointSizeOnTheirOwnEditors)
{
    auto started = Start("HangeulFontSize=2\r\nHanmoonFontSize=0\r\nSearchFontSize=1\r\n");
    TMainForm& form = *started->Form;
    const std::vector<QWidget*> hangeul = {View(form, "TotalHanRichEdit"), View(form, "HanRichEdit0"),
                                           View(form, "HanRichEdit1"), View(form, "HanRichEdit2")};
    const std::vector<QWidget*> hanmoon = {View(form, "TotalKorRichEdit"),   View(form, "KorRichEdit"),
                                           View(form, "TotalSinsuRichEdit"), View(form, "SinsuRichEdit"),
                                           Memo(form, "ConvertSrcMemo"),     Memo(form, "ConvertDestMemo")};
    auto expectSizes = [&](int hangeulSize, int hanmoonSize, int searchSize) {
        for (QWidget* editor : hangeul)
            EXPECT_EQ(editor->font().pointSize(), hangeulSize) << editor->objectName().toStdString();
        for (QWidget* editor : hanmoon)
            EXPECT_EQ(editor->font().pointSize(), hanmoonSize) << editor->objectName().toStdString();
        EXPECT_EQ(Memo(form, "SearchMemo")->font().pointSize(), searchSize);
    };
    expectSizes(14, 12, 14);
    for (QWidget* editor : hanmoon)
        EXPECT_EQ(editor->font().family(), "바탕");

    // "크게" of the Chinese texts touches only the Chinese editors and the conversion memos.
    Click(Group(form, "HanmoonFontRG"), 2);
    expectSizes(14, 20, 14);
    Click(Group(form, "HangeulFontRG"), 0);
    Click(Group(form, "SearchFontRG"), 2);
    expectSizes(10, 20, 16);
    const TSettings& settings = started->State.GlobalInfo.Settings;
    EXPECT_EQ(settings.HangeulFontSize, 0);
    EXPECT_EQ(settings.HanmoonFontSize, 2);
    EXPECT_EQ(settings.SearchFontSize, 2);
    EXPECT_EQ(Memo(form, "CopyMemo")->font().pixelSize(), 13) << "CopyMemo keeps the window's font";
}

TEST_F(AppearanceTest, TransparencyLevelsSetTheWindowsAlpha)
{
    auto started = Start("Transparent=2\r\n");
    TMainForm& form = *started->Form;
    EXPECT_EQ(qRound(form.windowOpacity() * 255), 150);
    Click(Group(form, "TransparentRG"), 0);
    EXPECT_EQ(form.windowOpacity(), 1.0);
    Click(Group(form, "TransparentRG"), 1);
    EXPECT_EQ(qRound(form.windowOpacity() * 255), 200);
    EXPECT_EQ(started->State.GlobalInfo.Settings.Transparent, 1);
}

TEST_F(AppearanceTest, PaneProportionsRoundHalvesToEven)
{
    auto started = Start("", true);
    TMainForm& form = *started->Form;
    ASSERT_TRUE(started->WaitUntilSettled());
    Page(form, "ViewPage")->setCurrentWidget(Widget<QWidget>(form, "TotalTabSheet"));
    QTest::qWait(20);
    // upper pane of a "함께보기" tab of the given height
    auto upperPane = [&](int sheetHeight) {
        form.resize(form.width(), form.height() + sheetHeight - Widget<QWidget>(form, "TotalTabSheet")->height());
        QTest::qWait(20);
        EXPECT_EQ(Widget<QWidget>(form, "TotalTabSheet")->height(), sheetHeight);
        EXPECT_EQ(Widget<QWidget>(form, "TotalPanel2")->height(),
                  sheetHeight - Widget<QWidget>(form, "TotalPanel1")->height() - 5)
            << "the rest";
        return Widget<QWidget>(form, "TotalPanel1")->height();
    };
    EXPECT_EQ(upperPane(613), 306);
    EXPECT_EQ(upperPane(611), 306);
    EXPECT_EQ(upperPane(615), 308);
    EXPECT_EQ(upperPane(700), 350);

    // The subject list takes six tenths of its panel, the sutras of a subject the rest.
    Page(form, "SearchPage")->setCurrentWidget(Widget<QWidget>(form, "SubjTabSheet"));
    form.resize(form.width(), form.height() + 37);
    QTest::qWait(20);
    const int panel = Widget<QWidget>(form, "SubjectPanel")->height();
    EXPECT_EQ(Grid(form, "SubjGrid1")->height(), static_cast<int>(std::nearbyint(panel * 0.6))) << panel;
    EXPECT_EQ(Grid(form, "SubjGrid2")->height(), panel - Grid(form, "SubjGrid1")->height() - 5);
}

// Records the text a painter draws, with its pen and font.
class TTextRecorder : public QPaintEngine
{
public:
    struct TText
    {
        QString Text;
        QPointF Baseline;
        QColor Color;
        QFont Font;
    };
    TTextRecorder() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyPen) Pen = state.pen();
    }
    void drawRects(const QRectF*, int) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        Texts.push_back({item.text(), p, Pen.color(), item.font()});
    }
    Type type() const override { return User; }

    std::vector<TText> Texts;

private:
    QPen Pen;
};

class TRecordingDevice : public QPaintDevice
{
public:
    QPaintEngine* paintEngine() const override { return &Engine; }
    mutable TTextRecorder Engine;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 400;
        case PdmHeight:
            return 100;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }
};

TEST_F(AppearanceTest, SelectedTabCaptionIsBoldAndBlueOthersRegularAndBlackAllCentred)
{
    auto started = Start("");
    TMainForm& form = *started->Form;
    const QRect rect(10, 4, 81, 20);
    for (const auto& [page, index, selected] :
         {std::tuple{Page(form, "ViewPage"), 5, true}, std::tuple{Page(form, "SearchPage"), 2, false}}) {
        TRecordingDevice device;
        {
            QPainter painter(&device);
            form.SearchPageDrawTab(page, painter, index, rect, selected);
        }
        const auto& texts = device.Engine.Texts;
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].Text, page->tabText(index));
        EXPECT_EQ(texts[0].Color, selected ? QColor(0, 0, 255) : QColor(0, 0, 0));
        EXPECT_EQ(texts[0].Font.bold(), selected);
        const QFontMetrics metrics(texts[0].Font);
        EXPECT_NEAR(texts[0].Baseline.x() + metrics.horizontalAdvance(texts[0].Text) / 2.0, (10 + 91) / 2, 1);
        EXPECT_EQ(texts[0].Baseline.y(), 4 + 2 + metrics.ascent());
    }
}

} // namespace
