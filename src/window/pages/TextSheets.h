#pragma once

// The sheets of the right page control that hold sutra texts: 함께보기 and 한글대장경 each
// show three views, one over two side by side; 고려대장경 and 신수대장경 one view under a
// title bar. A sheet owns its panes and splitters and keeps their proportions; the views are
// made into its placeholders by TTextViews.

#include "session/ReaderState.h"

#include <QWidget>

#include <QSize>

#include <array>
#include <vector>

class QSplitter;
class TPaneKeeper;

// A pane made of a title bar on top and a placeholder filling the rest.
struct TTitledPaneNames
{
    const char* Pane;
    const char* TitleBar;
    const char* Title;
    const char* Placeholder;
};

struct TThreeViewSheetLayout
{
    const char* Sheet;
    const char* TopSplitter;
    TTitledPaneNames Top;
    const char* BottomPanel;
    int TopPane;     // pixels as designed
    double TopShare; // of the sheet's height, whenever the sheet is arranged
    const char* BottomSplitter;
    TTitledPaneNames Left, Right;
    double LeftShare; // of the bottom panel's width
};

inline constexpr TThreeViewSheetLayout TotalSheetLayout{
    "TotalTabSheet",
    "TotalSplitter1",
    {"TotalPanel1", "Panel12", " 한글대장경", "TotalHanRichEditPanel"},
    "TotalPanel2",
    311,
    0.5,
    "TotalSplitter2",
    {"TotalPanel2_1", "Panel16", " 고려대장경", "TotalKorRichEditPanel"},
    {"TotalPanel2_2", "Panel18", " 신수대장경", "TotalSinsuRichEditPanel"},
    0.4};
inline constexpr TThreeViewSheetLayout HangeulSheetLayout{"HangeulTabSheet",
                                                          "Splitter5",
                                                          {"HangeulPanel1", "Panel28", " 본문", "HanRichEditPanel0"},
                                                          "HangeulPanel2",
                                                          511,
                                                          0.8,
                                                          "Splitter4",
                                                          {"HangeulPanel2_1", "Panel22", " 주제", "HanRichEditPanel1"},
                                                          {"HangeulPanel2_2", "Panel25", " 요약", "HanRichEditPanel2"},
                                                          0.4};

class TThreeViewSheet : public QWidget
{
    Q_OBJECT
public:
    explicit TThreeViewSheet(const TThreeViewSheetLayout& layout, QWidget* parent = nullptr);

    // The placeholders of the top, left and right views.
    std::array<QWidget*, 3> Placeholders() const { return {Top, Left, Right}; }

    // Both splitters in their proportions; restored borders not yet taken are dropped.
    void ArrangePanes();
    // The first pane of each splitter laid out, and putting them back (TPaneKeeper) as saved
    // while the window's normal size was savedWindow.
    std::vector<TSplitterPane> Panes() const;
    void RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow);

private:
    void ArrangePane(QSplitter* splitter);

    double TopShare, LeftShare;
    QSplitter *TopSplitter = nullptr, *BottomSplitter = nullptr;
    QWidget* BottomPanel = nullptr;
    QWidget *Top = nullptr, *Left = nullptr, *Right = nullptr;
    TPaneKeeper *TopPanes = nullptr, *BottomPanes = nullptr;
};

class TOneViewSheet : public QWidget
{
    Q_OBJECT
public:
    TOneViewSheet(const char* sheet, const char* titleBar, const char* title, const char* placeholder,
                  QWidget* parent = nullptr);

    QWidget* Placeholder() const { return View; }

private:
    QWidget* View = nullptr;
};
