#pragma once

// The three catalogue lists of the left page control: 경전순 (catalogue order), 이름순
// (name order) and 주제별 (subjects, then the sutras of the chosen subject). A chosen row
// is told to the window, which shows its sutra.

#include "session/ReaderState.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QSplitter;
class TGrid;
class QWidget;
class TListFindBox;
class TPageControl;
class TRadioGroup;
struct TColorScheme;
struct TVesko3Session;

class TCatalogueTabs : public QObject
{
    Q_OBJECT
public:
    // Adds the three sheets to searchPage.
    TCatalogueTabs(TPageControl* searchPage, TVesko3Session& state);

    void ApplyDesignedColors();
    void ApplyColors(const TColorScheme& scheme);

    // The loading message over the catalogue list, painted at once when shown: nothing else
    // is painted until loading ends.
    void ShowLoadingMessage();
    void HideLoadingMessage();

    // The three lists of a freshly loaded catalogue, each with every collection.
    void FillLoadedLists();

    void RadioGroup0_1Click();
    void RadioGroup0_2Click();
    void OrdGridClick();
    void NameGridClick();
    void SubjGrid1Click();
    void SubjGrid2Click();
    void FillSutraGrid(TGrid* grid, QLabel* countPanel, bool byName, int kind);
    void FillSubjectGrid();
    void FillSubjectSutraGrid();
    void ShowGridSutra(TGrid* grid);
    void SubjectPanelResize();

    // The subject splitter's first pane, and putting it back: a hidden sheet takes it when its
    // panel first gets its size.
    std::vector<TSplitterPane> Panes() const;
    void KeepPanes(const std::vector<TSplitterPane>& panes);
    // The controls of the three sheets in the order Tab moves through them.
    std::vector<QWidget*> FocusOrder() const;

signals:
    // The reader chose the row of catalogue position n.
    void SutraChosen(std::int32_t n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TVesko3Session& State;

    QWidget *OrdTabSheet = nullptr, *NameTabSheet = nullptr, *SubjTabSheet = nullptr;
    TRadioGroup *RadioGroup0_1 = nullptr, *RadioGroup0_2 = nullptr;
    TGrid *OrdGrid = nullptr, *NameGrid = nullptr, *SubjGrid1 = nullptr, *SubjGrid2 = nullptr;
    QLabel *OrdCountPanel = nullptr, *NameCountPanel = nullptr, *Subj2CountPanel = nullptr;
    QLabel* ReadFileMsgPanel = nullptr;
    QWidget* SubjectPanel = nullptr;
    QSplitter* SubjectSplitter = nullptr;
    TListFindBox *OrdFindBox = nullptr, *NameFindBox = nullptr;
    std::optional<int> KeptSubjectPane;
};
