#pragma once

#include <string>
#include <vector>

#include <QString>

class QTableView;

// The grid operations that need no control table.

// Widens (never narrows) each of the first columnCount columns to its widest cell text
// in the grid's font plus 15 pixels, all columns measured in one pass.
void SizeGridColumns(QTableView* grid, int columnCount);

// Values copied from a spreadsheet or typed as a list: separated by tabs, line breaks or
// semicolons, each kept exactly as written (an empty one too). The line break a
// spreadsheet puts after its last row ends the text rather than adding an empty value.
std::vector<std::string> SplitPastedValues(const QString& text);
