#pragma once

// The eight text views of the four text sheets of the right page control (TextSheets.h):
// 함께보기 (the three texts together), 한글대장경 (the Korean body, subject and summary),
// 고려대장경 and 신수대장경. It makes the views into the sheets, fills and marks them, and holds
// the menu, the hit navigation and the find bar they share.

#include "session/ReaderState.h"

#include <QObject>
#include <QSize>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAbstractScrollArea;
class QFont;
class QWidget;
class TOneViewSheet;
class TPageControl;
class TThreeViewSheet;
class TRichEdit;
class TRichEditMenu;
class TFindBar;
class TEditionMarks;
class THitNavigator;
struct TColorScheme;
struct TVesko3Session;

class TTextViews : public QObject
{
    Q_OBJECT
public:
    // Adds the four sheets to viewPage; the menu belongs to window.
    TTextViews(TPageControl* viewPage, QWidget* window, TVesko3Session& state);
    ~TTextViews() override;

    // The eight rich edits, the Korean ones in editorFont, and the menu's hidden memo.
    void BuildEditors(const QFont& editorFont);
    void ApplyColors(const TColorScheme& scheme);
    void SetHangeulFont(const QString& family, int pointSize);
    void SetHanmoonFont(const QString& family, int pointSize);
    // The panes of the two split sheets in their proportions.
    void ArrangePanes();

    // Fills the views of each family with sutra n, titled by titleLine.
    void FillViews(std::int32_t n, const std::u16string& titleLine);
    void FillHanViews(std::int32_t n, const std::u16string& titleLine);
    void FillKorViews(std::int32_t n, const std::u16string& titleLine);
    void FillSinsuViews(std::int32_t n, const std::u16string& titleLine);
    // Marks the last search's words in the two views of each family it found in sutra n, with
    // the runs and occurrences the core gives for them.
    void HighlightHit(std::int32_t n);

    // The highlighted runs and the find bar over the views; sameCharacter says whether the
    // find bar matches variant forms in a Chinese text.
    THitNavigator& Hits() { return *Navigator; }
    TFindBar& FindBar() { return *Find; }
    TEditionMarks& Editions() { return *EditionMarks; }
    void SetSameCharacter(bool sameCharacter) { SameCharacter = sameCharacter; }

    // The scroll positions of the eight views, in the order of TSutraView, and bringing them
    // back after a fill; a view on a hidden tab takes its position when first shown.
    std::array<TViewScroll, ReaderViewCount> Scrolls() const;
    void RestoreScrolls(const std::array<TViewScroll, ReaderViewCount>& scrolls);
    // The first pane of each split sheet, and putting them back as saved while the window's
    // normal size was savedWindow; ArrangePanes drops those a hidden sheet has not taken yet.
    std::vector<TSplitterPane> Panes() const;
    void RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow);
    // The views in the order Tab moves through them.
    std::vector<QWidget*> FocusOrder() const;
    // The four views of the Chinese editions.
    std::vector<QAbstractScrollArea*> ChineseViews() const;

private:
    std::array<TRichEdit*, ReaderViewCount> ViewsInOrder() const;

    TVesko3Session& State; // written only by HighlightRuns, which leaves its marks in the search
    std::unique_ptr<TRichEditMenu> Menu;
    QWidget* Window = nullptr;
    TPageControl* ViewPage = nullptr;
    THitNavigator* Navigator = nullptr; // made with the editors, owned by the window
    TFindBar* Find = nullptr;
    TEditionMarks* EditionMarks = nullptr; // the two Chinese views of 함께보기 compared
    bool SameCharacter = true;
    void BuildNavigation();

    TThreeViewSheet *TotalTabSheet = nullptr, *HangeulTabSheet = nullptr;
    TOneViewSheet *KorTabSheet = nullptr, *SinsuTabSheet = nullptr;

    // Placeholders of the run-time editors, and the editors.
    QWidget *TotalHanRichEditPanel = nullptr, *TotalKorRichEditPanel = nullptr, *TotalSinsuRichEditPanel = nullptr,
            *HanRichEditPanel0 = nullptr, *HanRichEditPanel1 = nullptr, *HanRichEditPanel2 = nullptr,
            *KorRichEditPanel = nullptr, *SinsuRichEditPanel = nullptr;
    TRichEdit *TotalHanRichEdit = nullptr, *TotalKorRichEdit = nullptr, *TotalSinsuRichEdit = nullptr,
              *HanRichEdit0 = nullptr, *HanRichEdit1 = nullptr, *HanRichEdit2 = nullptr, *KorRichEdit = nullptr,
              *SinsuRichEdit = nullptr;
};
