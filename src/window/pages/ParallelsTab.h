#pragma once

// The 대응경전 sheet: the parallels of the sutra on show, one row each, in the order of the
// source they were built from: the parallel's label, the relation (전체, 부분, 유사) and, for a
// sutra of the data set, its title and name. Such a row, chosen by double-click or Enter, is
// told to the window, which shows that sutra; Ctrl+C copies the current row. A data set
// without parallels says so over the list.

#include <QWidget>

#include <cstdint>
#include <string>

class QLabel;
class TGrid;
struct TColorScheme;
struct TVesko3Session;

class TParallelsTab : public QWidget
{
    Q_OBJECT
public:
    // The sheet ParallelsTabSheet over the catalogue and the parallels of state, which it only reads.
    explicit TParallelsTab(const TVesko3Session& state, QWidget* parent = nullptr);

    void ApplyColors(const TColorScheme& scheme);

    // The parallels of catalogue position n.
    void ShowSutra(std::int32_t n);
    // Shows the sutra of row r, when it is one of the data set.
    void ActivateRow(int r);
    // Row r as Ctrl+C copies it: its cells joined by tabs, the empty last one left out.
    std::u16string RowText(int r) const;
    void FocusList();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void SutraChosen(std::int32_t n);

private:
    // The message when the loaded data set has no parallels, else the list.
    void ShowPresence();

    const TVesko3Session& State;
    std::int32_t Sutra = -1;
    QLabel* ParallelsTitlePanel = nullptr;
    TGrid* ParallelsGrid = nullptr;
    QLabel* ParallelsCountPanel = nullptr;
    QLabel* NoParallelsPanel = nullptr;
};
