#include "window/pages/Appearance.h"

#include <QApplication>
#include <QComboBox>
#include <QWidget>

#include <algorithm>
#include <array>
#include <optional>

const QColor DesignedWindowColor(235, 241, 252);
const QColor DesignedWhite(255, 255, 255);

namespace {

const QColor Blue(230, 230, 255);
const QColor Green(220, 245, 220);
const QColor LightBrown(247, 224, 210);
const QColor White(255, 255, 255);

struct TSchemeEntry
{
    std::optional<QColor> Window; // none: the system's button face
    QColor Content;
};

const std::array<TSchemeEntry, 11> ColorSchemes = {{
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

} // namespace

TColorScheme ColorSchemeAt(int colorIndex)
{
    const TSchemeEntry& entry = Level(ColorSchemes, colorIndex);
    return {entry.Window.value_or(QApplication::palette().color(QPalette::Button)), entry.Content};
}

QColor SystemWindowColor()
{
    return QApplication::palette().color(QPalette::Base);
}

int HangeulPointSize(int level)
{
    return Level(HangeulPointSizes, level);
}

int HanmoonPointSize(int level)
{
    return Level(HanmoonPointSizes, level);
}

int SearchPointSize(int level)
{
    return Level(SearchPointSizes, level);
}

int TransparentAlpha(int level)
{
    return Level(TransparentAlphas, level);
}

void SetContentColor(QWidget* control, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, color);
    if (qobject_cast<QComboBox*>(control) != nullptr) palette.setColor(QPalette::Button, color);
    control->setPalette(palette);
}

void SetContentColor(std::initializer_list<QWidget*> controls, const QColor& color)
{
    for (QWidget* control : controls)
        SetContentColor(control, color);
}

void SetWindowColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

void SetTextFont(std::initializer_list<QWidget*> editors, const QString& family, int pointSize)
{
    for (QWidget* editor : editors) {
        QFont font = editor->font();
        font.setFamily(family);
        font.setPointSize(pointSize);
        editor->setFont(font);
    }
}
