#pragma once

#include <QTableWidget>

#include "ValueList.h"

// The grid operations that need no control table.

// Widens (never narrows) each of the first columnCount columns to its widest cell text
// in the grid's font plus 15 pixels.
void SizeGridColumns(QTableWidget* grid, int columnCount);

// Removes every row and every column, as every refill of a grid starts.
void ClearGrid(QTableWidget* grid);

// Copies row 0 into the list, element by element; the list keeps its length, and an
// element without a column keeps its text.
void ReadGridRow(const QTableWidget* grid, ValueList& list);

// Row 0 as a new list of columnCount() elements.
ValueList GridRow(const QTableWidget* grid);

// Makes cell `column` of row 0 current, scrolls it into view and gives the grid the focus,
// as when a compiler line is followed back to its cell. Nothing when there is no such cell.
void SelectGridCell(QAbstractItemView* grid, int column);
