#include "tarnekCellDelegate.h"

#include <QKeyEvent>

#include "tarnekBaseListCtrl.h"
#include "tarnekCtrlStruct.h"
#include "tarnekEditCtrl.h"

tarnekCellDelegate::tarnekCellDelegate(tarnekCtrlStruct& table, tarnekBaseListCtrl* grid)
    : QStyledItemDelegate(grid), table_(table), grid_(grid)
{
}

QWidget* tarnekCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new tarnekEditCtrl(grid_, parent);
    editor->setFont(grid_->font());
    table_.editor = editor;
    return editor;
}

void tarnekCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<tarnekEditCtrl*>(editor);
    // The view calls this again whenever the cell's data changes under an open editor;
    // only the first call sets the editor up, so typed text is never overwritten.
    if (edit == nullptr || edit->owner != nullptr)
        return;
    table_.ShowEditor(edit, index.data(Qt::DisplayRole).toString(), index.row(), index.column(), grid_->targetCode());
}

void tarnekCellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const
{
}

void tarnekCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const
{
    editor->setGeometry(option.rect.adjusted(-2, 0, 0, 0));
}

bool tarnekCellDelegate::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<tarnekEditCtrl*>(watched);
    if (edit == nullptr || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(watched, event);

    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        edit->editText = edit->text();
        // Everything the commit needs is copied before the editor goes away.
        tarnekCtrlStruct* owner = edit->owner;
        const QString text = edit->editText;
        const int row = edit->cellRow;
        const int code = edit->targetCode;
        emit closeEditor(edit, QAbstractItemDelegate::RevertModelCache);
        if (owner != nullptr)
            owner->CommitCellEdit(owner->GridOf(code), row, text, owner->ListLength(code));
        return true;
    }
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        edit->editText = edit->text();
        emit closeEditor(edit, QAbstractItemDelegate::RevertModelCache);
        return true;
    default:
        return QStyledItemDelegate::eventFilter(watched, event);
    }
}
