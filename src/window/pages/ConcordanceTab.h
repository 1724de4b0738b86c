#pragma once

// The 용례 sheet: every highlighted run of the last search's result with the text either
// side of it, one row a run, in result order and text order. A row chosen by double-click
// or Enter is told to the window, which shows its sutra as a search result with the view
// scrolled to the run. The rows are made when the sheet comes on show after a search.

#include "search/Concordance.h"

#include <QWidget>

class QLabel;
class QTableView;
class TConcordanceModel;
struct TColorScheme;
struct TVesko3Session;

class TConcordanceTab : public QWidget
{
    Q_OBJECT
public:
    // The sheet ConcordanceTabSheet over the data and last search of state, which it only reads.
    explicit TConcordanceTab(const TVesko3Session& state, QWidget* parent = nullptr);
    ~TConcordanceTab() override;

    void ApplyColors(const TColorScheme& scheme);

    // A search ended or was rejected: the rows go, to be made again by FillIfStale.
    void SearchEnded();
    // The sheet came on show: the rows of the last search, unless they are made already.
    void FillIfStale();
    // Fills the list from the last search now.
    void Fill();
    // Shows the run of row r.
    void ActivateRow(int r);

    const TConcordance& Rows() const;
    // The focus in the list.
    void FocusList();

signals:
    // The reader chose a row: sutra n as a search result, its run in family that begins at begin.
    void RunChosen(std::int32_t n, int family, std::int32_t begin);

private:
    const TVesko3Session& State;
    bool Stale = true;

    QTableView* ConcordanceGrid = nullptr;
    QLabel* ConcordanceCountPanel = nullptr;
    TConcordanceModel* Model = nullptr;
};
