#pragma once

// The lists' grids: how one is made, read, emptied and told about the row the user chose.

#include <QString>
#include <QStringList>
#include <QTableView>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class TGridModel;

// The cells of one grid row, as many as its columns, at most three.
using TGridCells = std::array<std::u16string, 3>;

// A table of text cells with the calls of an item table, holding its cells as plain strings:
// a list of thousands of rows is written in one step instead of an item object per cell, and
// only the cells on the screen are ever turned into display text.
class TGrid : public QTableView
{
    Q_OBJECT
public:
    TGrid(int rows, int columns, QWidget* parent);

    int rowCount() const;
    int columnCount() const;
    // Rows and columns added are blank; those taken away lose their cells.
    void setRowCount(int rows);
    void setColumnCount(int columns);
    // Every cell blank, the rows kept.
    void clearContents();
    // The first rows take cells, in order, as far as the grid has rows.
    void SetCells(std::vector<TGridCells> cells);
    std::u16string Cell(int row, int column) const;

    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int column);

    // The columns' headers as a screen reader says them; the grid shows none.
    void SetColumnNames(const QStringList& names);
    // The whole text of a cell drawn shorter than it is, with "…"; empty for one shown whole.
    QString CutCellText(const QModelIndex& index) const;
    // Lays out rows and scroll bars now rather than when the event loop next runs.
    void LayOutNow();

protected:
    // A cut cell shows its whole text as a tooltip.
    bool viewportEvent(QEvent* event) override;

signals:
    void currentCellChanged(int currentRow, int currentColumn, int previousRow, int previousColumn);
    void cellClicked(int row, int column);

private:
    TGridModel* Cells;
};

// A grid as the lists use it: no headers, whole-row selection of one row, rows 20 high,
// grid lines, one empty row.
TGrid* MakeGrid(QWidget* parent, const QString& name);

// One column per width, in pixels.
void SetGridColumns(TGrid* grid, std::initializer_list<int> widths);

// A column's width in pixels and its header as a reader says it ("번호", "제목").
struct TGridColumn
{
    int Width;
    QString Name;
};
void SetGridColumns(TGrid* grid, std::initializer_list<TGridColumn> columns);

// Back to the one empty row.
void ClearGrid(TGrid* grid);

// The text of a cell; empty for a cell never written.
std::u16string CellText(const TGrid* grid, int row, int column);

// Calls handler when a grid row is clicked, also the current one, when Enter is pressed on it,
// and when the current row changes by keyboard or program; a click that moves the current row
// calls it once. Any list view with its model set takes it as a grid does.
void ConnectGridClick(QAbstractItemView* grid, QObject* context, std::function<void()> handler);
