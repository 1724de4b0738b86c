// Fonts, colour schemes, transparency, the maximised start, tab captions and pane
// proportions: TMainForm's appearance handlers.

#include "window/widgets/ControlWidget.h"
#include "window/Unit1.h"
#include "util/TextCodec.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace {

const QColor Blue(230, 230, 255);
const QColor Green(220, 245, 220);
const QColor LightBrown(247, 224, 210);
const QColor White(255, 255, 255);
// The window's colour as designed, before the user picks a scheme.
const QColor DesignedWindowColor(235, 241, 252);

struct TColorScheme
{
    std::optional<QColor> Window; // none: the system's button face
    QColor Content;
};

const std::array<TColorScheme, 11> ColorSchemes = {{
    {std::nullopt, White}, // 기본
    {White, White},        // 흰색
    {Blue, White},         // 푸른색1
    {Blue, LightBrown},    // 푸른색2
    {Blue, Green},         // 푸른색3
    {Green, White},        // 초록색1
    {Green, LightBrown},   // 초록색2
    {Green, Blue},         // 초록색3
    {LightBrown, White},   // 연갈색1
    {LightBrown, Green},   // 연갈색2
    {LightBrown, Blue},    // 연갈색3
}};

constexpr std::array<int, 3> HangeulPointSizes = {10, 12, 14};
constexpr std::array<int, 3> HanmoonPointSizes = {12, 16, 20};
constexpr std::array<int, 3> SearchPointSizes = {12, 14, 16};
constexpr std::array<int, 3> TransparentAlphas = {255, 200, 150};

// A stored level is clamped when read, but a table is never indexed past its end.
template <typename T, std::size_t N> const T& Level(const std::array<T, N>& table, int level)
{
    return table[static_cast<std::size_t>(std::clamp(level, 0, static_cast<int>(N) - 1))];
}

// Lists and editors paint on Base; a drop-down list that cannot be typed into paints
// itself as a button, so it takes the colour as Button too.
void SetContentColor(QWidget* control, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, color);
    if (qobject_cast<QComboBox*>(control) != nullptr) palette.setColor(QPalette::Button, color);
    control->setPalette(palette);
}

void SetWindowColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

void SetTextFont(std::initializer_list<QWidget*> editors, const std::u16string& face, int pointSize)
{
    const QString family = ToQString(face);
    for (QWidget* editor : editors) {
        QFont font = editor->font();
        font.setFamily(family);
        font.setPointSize(pointSize);
        editor->setFont(font);
    }
}

// Pane sizes are rounded to the nearest pixel, halves to the even neighbour.
int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// Gives the first pane of a two-pane splitter its size; the second takes the rest.
void SetFirstPane(QSplitter* splitter, int total, int first)
{
    splitter->setSizes({first, std::max(0, total - first - splitter->handleWidth())});
}

} // namespace

void TMainForm::ApplyDesignedColors()
{
    SetWindowColor(this, DesignedWindowColor);
    // The tab sheets show the window's colour itself rather than the style's shade of it.
    for (TPageControl* page : {SearchPage, ViewPage})
        for (int i = 0; i < page->count(); ++i)
            page->widget(i)->setAutoFillBackground(true);
    SetContentColor(InfoMemo, DesignedWindowColor);
    for (QWidget* control : std::initializer_list<QWidget*>{OrdGrid, TitleCombo, KindCombo})
        SetContentColor(control, White);
    const QColor systemWindow = QApplication::palette().color(QPalette::Base);
    for (QWidget* control : std::initializer_list<QWidget*>{NameGrid, SubjGrid1, SubjGrid2, SearchGrid})
        SetContentColor(control, systemWindow);
    SetContentColor(OptionNoteMemo, systemWindow);
}

void TMainForm::ShowSettings()
{
    // A changed item index counts as a click on its group, so its handler runs.
    const TSettings& settings = State.GlobalInfo.Settings;
    HangeulFontRG->SetItemIndex(settings.HangeulFontSize);
    HanmoonFontRG->SetItemIndex(settings.HanmoonFontSize);
    SearchFontRG->SetItemIndex(settings.SearchFontSize);
    TransparentRG->SetItemIndex(settings.Transparent);
    ColorRG->SetItemIndex(settings.ColorIndex);
    CopyRG->SetItemIndex(settings.CopyTarget);
}

void TMainForm::ApplyHangeulFont()
{
    SetTextFont({TotalHanRichEdit, HanRichEdit0, HanRichEdit1, HanRichEdit2}, TextFontFace(),
                Level(HangeulPointSizes, State.GlobalInfo.Settings.HangeulFontSize));
}

void TMainForm::ApplyHanmoonFont()
{
    SetTextFont({TotalKorRichEdit, KorRichEdit, TotalSinsuRichEdit, SinsuRichEdit, ConvertSrcMemo, ConvertDestMemo},
                TextFontFace(), Level(HanmoonPointSizes, State.GlobalInfo.Settings.HanmoonFontSize));
}

void TMainForm::ApplySearchFont()
{
    SetTextFont({SearchMemo}, TextFontFace(), Level(SearchPointSizes, State.GlobalInfo.Settings.SearchFontSize));
}

void TMainForm::ApplyTransparency()
{
    setWindowOpacity(Level(TransparentAlphas, State.GlobalInfo.Settings.Transparent) / 255.0);
}

void TMainForm::ApplyFullScreen()
{
    if (State.GlobalInfo.Settings.FullScreen == 1) setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::ApplyColorScheme()
{
    const TColorScheme& scheme = Level(ColorSchemes, State.GlobalInfo.Settings.ColorIndex);
    const QColor window = scheme.Window.value_or(QApplication::palette().color(QPalette::Button));
    SetWindowColor(this, window);
    SetContentColor(InfoMemo, window);
    const std::initializer_list<QWidget*> contentControls = {
        OrdGrid,     NameGrid,         SubjGrid1,        SubjGrid2,          SearchGrid,    TitleCombo,   KindCombo,
        SearchMemo,  TotalHanRichEdit, TotalKorRichEdit, TotalSinsuRichEdit, HanRichEdit0,  HanRichEdit1, HanRichEdit2,
        KorRichEdit, SinsuRichEdit,    ConvertSrcMemo,   ConvertDestMemo,    OptionNoteMemo};
    for (QWidget* control : contentControls)
        SetContentColor(control, scheme.Content);
    // Everything is painted again in the new colours.
    update();
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}

void TMainForm::ArrangePanes()
{
    SetFirstPane(TotalSplitter1, TotalTabSheet->height(), RoundHalfEven(TotalTabSheet->height() * 0.5));
    SetFirstPane(TotalSplitter2, TotalPanel2->width(), RoundHalfEven(TotalPanel2->width() * 0.4));
    SetFirstPane(Splitter5, HangeulTabSheet->height(), RoundHalfEven(HangeulTabSheet->height() * 0.8));
    SetFirstPane(Splitter4, HangeulPanel2->width(), RoundHalfEven(HangeulPanel2->width() * 0.4));
}

void TMainForm::SubjectPanelResize()
{
    SetFirstPane(SubjectSplitter, SubjectPanel->height(), RoundHalfEven(SubjectPanel->height() * 0.6));
}

void TMainForm::FormResize()
{
    ArrangePanes();
}

void TMainForm::SearchPageDrawTab(TPageControl* control, QPainter& painter, int index, const QRect& rect, bool selected)
{
    QFont font = control->tabBar()->font();
    font.setBold(selected);
    painter.setFont(font);
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.fillRect(rect, control->palette().color(QPalette::Window));
    painter.setPen(selected ? QColor(0, 0, 255) : QColor(0, 0, 0));
    const QString caption = control->tabText(index);
    const QFontMetrics metrics(font);
    // The right edge is exclusive, as the tab's rectangle counts it.
    const int right = rect.left() + rect.width();
    const int centre = (rect.left() + right) / 2;
    painter.drawText(QPoint(centre - metrics.horizontalAdvance(caption) / 2, rect.top() + 2 + metrics.ascent()),
                     caption);
}

void TMainForm::HangeulFontRGClick()
{
    State.GlobalInfo.Settings.HangeulFontSize = HangeulFontRG->ItemIndex();
    ApplyHangeulFont();
}

void TMainForm::HanmoonFontRGClick()
{
    State.GlobalInfo.Settings.HanmoonFontSize = HanmoonFontRG->ItemIndex();
    ApplyHanmoonFont();
}

void TMainForm::SearchFontRGClick()
{
    State.GlobalInfo.Settings.SearchFontSize = SearchFontRG->ItemIndex();
    ApplySearchFont();
}

void TMainForm::TransparentRGClick()
{
    State.GlobalInfo.Settings.Transparent = TransparentRG->ItemIndex();
    ApplyTransparency();
}

void TMainForm::ColorRGClick()
{
    State.GlobalInfo.Settings.ColorIndex = ColorRG->ItemIndex();
    ApplyColorScheme();
}
