#include "tarnekCtrlStruct.h"

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

void tarnekCtrlStruct::CommitCellEdit(tarnekBaseListCtrl* grid, int, const QString& text)
{
    if (grid == nullptr || editColumn < 0 || editColumn >= grid->columnCount())
        return;
    grid->listModel()->RequestEdit(static_cast<std::size_t>(editColumn), {text.toStdString()});
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
