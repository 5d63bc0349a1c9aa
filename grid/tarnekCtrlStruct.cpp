#include "tarnekCtrlStruct.h"

#include <QHeaderView>

#include "GridOperations.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekCellDelegate.h"
#include "tarnekEditCtrl.h"

tarnekCtrlStruct::~tarnekCtrlStruct()
{
    DeleteEditor();
}

void tarnekCtrlStruct::BindGrid(tarnekBaseListCtrl* grid)
{
    const int code = grid->targetCode();
    if (code < 0 || static_cast<std::size_t>(code) >= grids.size())
        return;
    grids[static_cast<std::size_t>(code)] = grid;
    grid->setItemDelegate(new tarnekCellDelegate(*this, grid));
    QObject::connect(grid, &tarnekBaseListCtrl::cellEditRequested, grid,
                     [this, grid](int row, int column) { StartCellEdit(grid, row, column); });
}

tarnekBaseListCtrl* tarnekCtrlStruct::GridOf(int targetCode) const
{
    if (targetCode < 0 || static_cast<std::size_t>(targetCode) >= grids.size())
        return nullptr;
    return grids[static_cast<std::size_t>(targetCode)];
}

int tarnekCtrlStruct::ListLength(int targetCode) const
{
    if (model == nullptr || targetCode < 0 || static_cast<std::size_t>(targetCode) >= kListCount)
        return 0;
    return static_cast<int>((model->*ValueLists()[static_cast<std::size_t>(targetCode)].list).size());
}

void tarnekCtrlStruct::FillGrid(tarnekBaseListCtrl* grid, const ValueList& list)
{
    const int n = static_cast<int>(list.size());
    for (int i = 0; i < n; ++i) {
        grid->insertColumn(i);
        auto* heading = new QTableWidgetItem(QString::number(i));
        heading->setTextAlignment(Qt::AlignCenter);
        grid->setHorizontalHeaderItem(i, heading);
        grid->setColumnWidth(i, tarnekBaseListCtrl::kInitialColumnWidth);
    }
    const int row = grid->rowCount();
    grid->insertRow(row);
    for (int i = 0; i < n; ++i) {
        auto* cell = new QTableWidgetItem(QString::fromStdString(list.at(static_cast<std::size_t>(i))));
        cell->setTextAlignment(Qt::AlignCenter);
        grid->setItem(row, i, cell);
    }
    grid->setShowGrid(true);
}

void tarnekCtrlStruct::SizeGridColumns(tarnekBaseListCtrl* grid, int columnCount)
{
    ::SizeGridColumns(grid, columnCount);
}

bool tarnekCtrlStruct::StartCellEdit(tarnekBaseListCtrl* grid, int row, int column)
{
    DeleteEditor();
    editColumn = column;
    if (grid == nullptr || row < 0 || row >= grid->rowCount() || column < 0 || column >= grid->columnCount())
        return false;
    editRow = row;
    if (grid->item(row, column) == nullptr)
        grid->setItem(row, column, new QTableWidgetItem());
    grid->edit(grid->model()->index(row, column));
    return editor != nullptr;
}

void tarnekCtrlStruct::ShowEditor(tarnekEditCtrl* edit, const QString& text, int row, int column, int targetCode)
{
    if (edit == nullptr)
        return;
    edit->setText(text);
    edit->editText = text;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    edit->cellRow = row;
    edit->cellColumn = column;
    edit->targetCode = targetCode;
    edit->owner = this;
}

void tarnekCtrlStruct::CommitCellEdit(tarnekBaseListCtrl* grid, int, const QString& text, int columnCount)
{
    if (grid == nullptr || editColumn < 0 || editColumn >= grid->columnCount() || grid->rowCount() == 0)
        return;
    QTableWidgetItem* cell = grid->item(0, editColumn);
    if (cell == nullptr) {
        cell = new QTableWidgetItem();
        cell->setTextAlignment(Qt::AlignCenter);
        grid->setItem(0, editColumn, cell);
    }
    const QString before = cell->text();
    cell->setText(text);
    SizeGridColumns(grid, columnCount);
    if (cellCommitted && before != text)
        cellCommitted(grid->targetCode(), editColumn, before, text);
}

void tarnekCtrlStruct::DeleteEditor()
{
    if (editor.isNull())
        return;
    tarnekEditCtrl* open = editor.data();
    editor.clear();
    if (open->grid != nullptr && open->isVisible())
        open->grid->discardEditor(open);
    delete open;
}
