#include "GridOperations.h"

#include <algorithm>
#include <vector>

#include <QFontMetrics>
#include <QHeaderView>

namespace {

constexpr int kTextMargin = 15;
// Cell texts are measured up to this many characters, as the list view reads them.
constexpr int kMeasuredLength = 259;

QString CellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* cell = grid->item(row, column);
    return cell ? cell->text() : QString();
}

}  // namespace

void SizeGridColumns(QTableWidget* grid, int columnCount)
{
    const int columns = std::min(columnCount, grid->columnCount());
    if (columns <= 0)
        return;
    std::vector<int> widths(static_cast<std::size_t>(columns), 0);
    const QFontMetrics metrics(grid->font());
    for (int row = grid->rowCount() - 1; row >= 0; --row) {
        for (int column = columns - 1; column >= 0; --column) {
            const int width = metrics.horizontalAdvance(CellText(grid, row, column).left(kMeasuredLength)) + kTextMargin;
            int& stored = widths[static_cast<std::size_t>(column)];
            stored = std::max(stored, width);
        }
    }
    for (int column = columns - 1; column >= 0; --column) {
        const int stored = widths[static_cast<std::size_t>(column)];
        if (grid->columnWidth(column) <= stored)
            grid->setColumnWidth(column, stored);
    }
}

void ClearGrid(QTableWidget* grid)
{
    grid->setRowCount(0);
    grid->setColumnCount(0);
}

void ReadGridRow(const QTableWidget* grid, ValueList& list)
{
    const std::size_t columns = static_cast<std::size_t>(std::max(grid->columnCount(), 0));
    const std::size_t n = std::min(list.size(), columns);
    for (std::size_t i = 0; i < n; ++i)
        list.set(i, CellText(grid, 0, static_cast<int>(i)).toStdString());
}

ValueList GridRow(const QTableWidget* grid)
{
    ValueList list;
    for (int i = 0; i < grid->columnCount(); ++i)
        list.append(CellText(grid, 0, i).toStdString());
    return list;
}

void SelectGridCell(QAbstractItemView* grid, int column)
{
    const QModelIndex cell = grid->model()->index(0, column);
    if (!cell.isValid())
        return;
    grid->setCurrentIndex(cell);
    grid->scrollTo(cell);
    grid->setFocus(Qt::OtherFocusReason);
}
