#include "grid/GridOperations.h"

#include <algorithm>

#include <QFontMetrics>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTableView>

namespace {

constexpr int kTextMargin = 15;
// Cell texts are measured up to this many characters, as the list view reads them.
constexpr int kMeasuredLength = 259;
// Room kept around a cell brought into view.
constexpr int kCellMargin = 8;

}  // namespace

void SizeGridColumns(QTableView* grid, int columnCount)
{
    const QAbstractItemModel* model = grid->model();
    if (model == nullptr)
        return;
    const int columns = std::min(columnCount, model->columnCount());
    if (columns <= 0)
        return;
    std::vector<int> widths(static_cast<std::size_t>(columns), 0);
    const QFontMetrics metrics(grid->font());
    for (int row = model->rowCount() - 1; row >= 0; --row) {
        for (int column = columns - 1; column >= 0; --column) {
            const QString text = model->index(row, column).data(Qt::DisplayRole).toString();
            const int width = metrics.horizontalAdvance(text.left(kMeasuredLength)) + kTextMargin;
            int& stored = widths[static_cast<std::size_t>(column)];
            stored = std::max(stored, width);
        }
    }
    QHeaderView* header = grid->horizontalHeader();
    for (int column = columns - 1; column >= 0; --column) {
        const int stored = widths[static_cast<std::size_t>(column)];
        if (header->sectionSize(column) <= stored)
            header->resizeSection(column, stored);
    }
}

std::vector<std::string> SplitPastedValues(const QString& text)
{
    static const QRegularExpression separator(QStringLiteral("\\t|\\r\\n|\\n|\\r|;"));
    QString body = text;
    if (body.endsWith(QLatin1String("\r\n")))
        body.chop(2);
    else if (body.endsWith(QLatin1Char('\n')) || body.endsWith(QLatin1Char('\r')))
        body.chop(1);
    std::vector<std::string> values;
    if (body.isEmpty())
        return values;
    const QStringList parts = body.split(separator);
    values.reserve(static_cast<std::size_t>(parts.size()));
    for (const QString& part : parts)
        values.push_back(part.toStdString());
    return values;
}

void SelectGridCell(QAbstractItemView* grid, int column)
{
    const QModelIndex cell = grid->model()->index(0, column);
    if (!cell.isValid())
        return;
    grid->setCurrentIndex(cell);
    grid->scrollTo(cell);
    // The grid sits on a form that scrolls too: that brings the cell into view as well.
    const QRect rect = grid->visualRect(cell);
    for (QWidget* w = grid->parentWidget(); w != nullptr; w = w->parentWidget()) {
        auto* area = qobject_cast<QScrollArea*>(w);
        if (area == nullptr || area->widget() == nullptr)
            continue;
        const QPoint centre = grid->viewport()->mapTo(area->widget(), rect.center());
        area->ensureVisible(centre.x(), centre.y(), rect.width() / 2 + kCellMargin, rect.height() / 2 + kCellMargin);
    }
    grid->setFocus(Qt::OtherFocusReason);
}
