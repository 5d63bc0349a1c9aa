#pragma once

#include <string>
#include <vector>

#include <QString>

class QAbstractItemView;
class QTableView;

// The grid operations that need no control table.

// Widens (never narrows) each of the first columnCount columns to its widest cell text
// in the grid's font plus 15 pixels, all columns measured in one pass.
void SizeGridColumns(QTableView* grid, int columnCount);

// Values copied from a spreadsheet or typed as a list: separated by tabs, line breaks or
// semicolons, each kept exactly as written (an empty one too). The line break a
// spreadsheet puts after its last row ends the text rather than adding an empty value.
std::vector<std::string> SplitPastedValues(const QString& text);

// Makes cell `column` of row 0 current, scrolls it into view and gives the grid the focus,
// as when a compiler line is followed back to its cell. Nothing when there is no such cell.
void SelectGridCell(QAbstractItemView* grid, int column);
