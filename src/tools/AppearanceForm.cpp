// Fonts, colour schemes, transparency, the maximised start, tab captions and pane
// proportions: TMainForm's appearance handlers.

#include "app/ControlWidget.h"
#include "app/Unit1.h"

#include <QPainter>
#include <QSplitter>

#include <algorithm>
#include <cmath>

namespace {

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

void TMainForm::ApplyFullScreen()
{
    if (State.GlobalInfo.Settings.FullScreen == 1) setWindowState(windowState() | Qt::WindowMaximized);
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
    painter.fillRect(rect, control->palette().color(QPalette::Window));
    painter.setPen(selected ? QColor(0, 0, 255) : QColor(0, 0, 0));
    const QString caption = control->tabText(index);
    const QFontMetrics metrics(font);
    const int centre = (rect.left() + rect.left() + rect.width()) / 2;
    painter.drawText(QPoint(centre - metrics.horizontalAdvance(caption) / 2, rect.top() + 2 + metrics.ascent()),
                     caption);
}

// TODO(issue 6): font sizes, transparency and colour schemes, and their option groups.
void TMainForm::ApplyHangeulFont() {}
void TMainForm::ApplyHanmoonFont() {}
void TMainForm::ApplySearchFont() {}
void TMainForm::ApplyTransparency() {}
void TMainForm::ApplyColorScheme() {}
void TMainForm::HangeulFontRGClick() {}
void TMainForm::HanmoonFontRGClick() {}
void TMainForm::SearchFontRGClick() {}
void TMainForm::TransparentRGClick() {}
void TMainForm::ColorRGClick() {}
