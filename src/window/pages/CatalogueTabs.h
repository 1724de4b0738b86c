#pragma once

// The three catalogue sheets of the left page control: 경전순 (catalogue order) and 이름순
// (name order), each a TSutraListSheet, and 주제별 (subjects, then the sutras of the chosen
// subject), a TSubjectSheet. A chosen row is told to the window, which shows its sutra.

#include "session/ReaderState.h"

#include <QSize>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QSplitter;
class TGrid;
class TListFindBox;
class TPaneKeeper;
class TRadioGroup;
struct TVesko_File;

// What tells the two sutra lists apart: their controls' names, the list's name as a screen
// reader says it, their order and whether the loading message stands over the list.
struct TSutraListKind
{
    const char* Sheet;
    const char* Group;
    const char* Grid;
    const char* Count;
    const char* Spoken;
    bool ByName;
    bool LoadingMessage;
};
inline constexpr TSutraListKind OrderList{.Sheet = "OrdTabSheet",
                                          .Group = "RadioGroup0_1",
                                          .Grid = "OrdGrid",
                                          .Count = "OrdCountPanel",
                                          .Spoken = "경전순 목록",
                                          .ByName = false,
                                          .LoadingMessage = true};
inline constexpr TSutraListKind NameList{.Sheet = "NameTabSheet",
                                         .Group = "RadioGroup0_2",
                                         .Grid = "NameGrid",
                                         .Count = "NameCountPanel",
                                         .Spoken = "이름순 목록",
                                         .ByName = true,
                                         .LoadingMessage = false};

// The collection choice over a list of sutras, the count below it.
class TSutraListSheet : public QWidget
{
    Q_OBJECT
public:
    TSutraListSheet(const TSutraListKind& kind, const TVesko_File& catalogue, QWidget* parent = nullptr);

    void SetListColor(const QColor& color);

    // The loading message over the list (the order sheet's only), painted at once when shown:
    // nothing else is painted until loading ends.
    void ShowLoadingMessage();
    void HideLoadingMessage();

    // RadioGroup0_1Click and RadioGroup0_2Click: the list of the chosen collection.
    void RadioGroupClick();
    // OrdGridClick and NameGridClick: the current row's sutra is chosen.
    void GridClick();
    // The sutras of collection kind (0 every one); a kind outside 0 to 7 changes nothing.
    void FillSutraGrid(int kind);
    // The controls in the order Tab moves through them.
    std::vector<QWidget*> FocusOrder() const;
    // The focus in the list, where typing finds a sutra.
    void FocusList();
    // Makes the row of catalogue position n current when the list holds it, without that
    // reading as the reader's choice.
    void MarkShownSutra(std::int32_t n);

signals:
    // The reader chose the row of catalogue position n.
    void SutraChosen(std::int32_t n);

private:
    const TVesko_File& Catalogue;
    const bool ByName;
    int ListKind = 0; // the collection the list shows, 0 all
    TRadioGroup* Group = nullptr;
    TGrid* Grid = nullptr;
    QLabel* CountPanel = nullptr;
    QLabel* ReadFileMsgPanel = nullptr;
    TListFindBox* FindBox = nullptr;
};

// The subjects over the sutras of the chosen one, in a splitter.
class TSubjectSheet : public QWidget
{
    Q_OBJECT
public:
    explicit TSubjectSheet(const TVesko_File& catalogue, QWidget* parent = nullptr);

    void SetListColor(const QColor& color);

    void SubjGrid1Click();
    void SubjGrid2Click();
    void FillSubjectGrid();
    void FillSubjectSutraGrid();
    void SubjectPanelResize();

    // The splitter's first pane once laid out, and putting it back (TPaneKeeper).
    std::vector<TSplitterPane> Panes() const;
    void RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow);
    std::vector<QWidget*> FocusOrder() const;
    // The focus in the subject list.
    void FocusList();

signals:
    void SutraChosen(std::int32_t n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TVesko_File& Catalogue;
    TGrid *SubjGrid1 = nullptr, *SubjGrid2 = nullptr;
    QLabel* Subj2CountPanel = nullptr;
    QWidget* SubjectPanel = nullptr;
    QSplitter* SubjectSplitter = nullptr;
    TPaneKeeper* SubjectPanes = nullptr;
};
