#pragma once

// The 용례 sheet: every highlighted run of the last search's result with the text either
// side of it, one row a run, in result order and text order. A row chosen by double-click
// or Enter shows its sutra as a search result with the view scrolled to the run.

#include "search/Concordance.h"

#include <QObject>

class QLabel;
class QTableView;
class QWidget;
class TConcordanceModel;
class TPageControl;
struct TColorScheme;
struct TVesko3Session;

class TConcordanceTab : public QObject
{
    Q_OBJECT
public:
    TConcordanceTab(TPageControl* searchPage, TVesko3Session& state);
    ~TConcordanceTab() override;

    void ApplyColors(const TColorScheme& scheme);

    // A search ended or was rejected: the rows are made again when the sheet is next on show.
    void SearchEnded();
    // Fills the list from the last search now.
    void Fill();
    // Shows the run of row r.
    void ActivateRow(int r);

    const TConcordance& Rows() const;

signals:
    // The reader chose a row: sutra n as a search result, its run in family that begins at begin.
    void RunChosen(std::int32_t n, int family, std::int32_t begin);

private:
    TVesko3Session& State;
    TPageControl* SearchPage;
    bool Stale = true;

    QWidget* ConcordanceTabSheet = nullptr;
    QTableView* ConcordanceGrid = nullptr;
    QLabel* ConcordanceCountPanel = nullptr;
    TConcordanceModel* Model = nullptr;
};
