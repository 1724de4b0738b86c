#pragma once

// The lists' grids: how one is made, read, emptied and told about the row the user chose.

#include <QTableWidget>

#include <functional>
#include <initializer_list>
#include <string>

// A grid as the lists use it: no headers, whole-row selection of one row, rows 20 high,
// grid lines, one empty row.
QTableWidget* MakeGrid(QWidget* parent, const QString& name);

// One column per width, in pixels.
void SetGridColumns(QTableWidget* grid, std::initializer_list<int> widths);

// Back to the one empty row.
void ClearGrid(QTableWidget* grid);

// The text of a cell; empty for a cell never written.
std::u16string CellText(const QTableWidget* grid, int row, int column);

// Calls handler when a grid row is clicked, also the current one, and when the current row
// changes by keyboard or program; a click that moves the current row calls it once.
void ConnectGridClick(QTableWidget* grid, QObject* context, std::function<void()> handler);
