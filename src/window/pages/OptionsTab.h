#pragma once

// The 선택사항 sheet: copy mode, the sizes of the three kinds of text, transparency and the
// colour scheme. Each group writes its choice into the settings record at once; the window
// applies what spans the pages when told a choice changed.

#include <QWidget>

class QFrame;
class QPlainTextEdit;
class TRadioGroup;
struct TColorScheme;
struct TSettings;

class TOptionsTab : public QWidget
{
    Q_OBJECT
public:
    // The sheet OptionTabSheet; its choices are written into settings.
    explicit TOptionsTab(TSettings& settings, QWidget* parent = nullptr);

    void ApplyDesignedColors();
    void ApplyColors(const TColorScheme& scheme);

    // Each group takes the stored choice; a changed choice counts as a click on its group,
    // so its handler runs.
    void ShowSettings();

    void CopyRGClick();
    void HangeulFontRGClick();
    void HanmoonFontRGClick();
    void SearchFontRGClick();
    void TransparentRGClick();
    void ColorRGClick();

signals:
    void HangeulFontChosen();
    void HanmoonFontChosen();
    void SearchFontChosen();
    void TransparencyChosen();
    void ColorSchemeChosen();

private:
    TSettings& Settings;

    TRadioGroup *CopyRG = nullptr, *HangeulFontRG = nullptr, *HanmoonFontRG = nullptr, *SearchFontRG = nullptr,
                *TransparentRG = nullptr, *ColorRG = nullptr;
    QFrame* Panel17 = nullptr;
    QPlainTextEdit* OptionNoteMemo = nullptr;
};
