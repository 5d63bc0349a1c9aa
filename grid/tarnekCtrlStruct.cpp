#include "grid/tarnekCtrlStruct.h"

#include "grid/GridOperations.h"
#include "grid/tarnekBaseListCtrl.h"
#include "grid/tarnekCellDelegate.h"
#include "grid/tarnekEditCtrl.h"

tarnekCtrlStruct::~tarnekCtrlStruct()
{
    DeleteEditor();
}

tarnekEditCtrl* tarnekCtrlStruct::editor() const
{
    return editor_.data();
}

void tarnekCtrlStruct::TakeEditor(tarnekEditCtrl* edit)
{
    editor_ = edit;
}

void tarnekCtrlStruct::BindGrid(tarnekBaseListCtrl* grid)
{
    const int code = grid->targetCode();
    if (code < 0 || static_cast<std::size_t>(code) >= grids_.size())
        return;
    grids_[static_cast<std::size_t>(code)] = grid;
    grid->setItemDelegate(new tarnekCellDelegate(*this, grid));
    QObject::connect(grid, &tarnekBaseListCtrl::cellEditRequested, grid,
                     [this, grid](int row, int column) { StartCellEdit(grid, row, column); });
}

tarnekBaseListCtrl* tarnekCtrlStruct::GridOf(int targetCode) const
{
    if (targetCode < 0 || static_cast<std::size_t>(targetCode) >= grids_.size())
        return nullptr;
    return grids_[static_cast<std::size_t>(targetCode)];
}

bool tarnekCtrlStruct::StartCellEdit(tarnekBaseListCtrl* grid, int row, int column)
{
    DeleteEditor();
    if (grid == nullptr || row < 0 || row >= grid->rowCount() || column < 0 || column >= grid->columnCount())
        return false;
    grid->edit(grid->model()->index(row, column));
    return editor_ != nullptr;
}

void tarnekCtrlStruct::ShowEditor(tarnekEditCtrl* edit, const QString& text, int row, int column)
{
    if (edit == nullptr)
        return;
    edit->setText(text);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    edit->Attach(this, row, column);
}

void tarnekCtrlStruct::CommitCellEdit(tarnekBaseListCtrl* grid, int column, const QString& text)
{
    if (grid == nullptr || column < 0 || column >= grid->columnCount())
        return;
    grid->model()->setData(grid->model()->index(0, column), text);
}

void tarnekCtrlStruct::DeleteEditor()
{
    if (editor_.isNull())
        return;
    tarnekEditCtrl* open = editor_.data();
    editor_.clear();
    if (open->grid() != nullptr && open->isVisible())
        open->grid()->DiscardEditor(open);
    delete open;
}

void tarnekCtrlStruct::CommitEditor()
{
    tarnekEditCtrl* open = editor_.data();
    if (open == nullptr || open->owner() == nullptr || !open->isVisible()) {
        DeleteEditor();
        return;
    }
    tarnekBaseListCtrl* grid = open->grid();
    const int column = open->cellColumn();
    const QString text = open->text();
    DeleteEditor();
    CommitCellEdit(grid, column, text);
}
