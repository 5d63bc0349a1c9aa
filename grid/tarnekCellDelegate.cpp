#include "grid/tarnekCellDelegate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include "grid/tarnekBaseListCtrl.h"
#include "grid/tarnekCtrlStruct.h"
#include "grid/tarnekEditCtrl.h"

namespace {

// A click on a button is an action, and every action that reads the configuration
// commits the editor first (tarnekCtrlStruct::CommitEditor); Qt would have closed it,
// and thrown its text away, the moment the button took the focus.
bool FocusMovesToButton()
{
    return qobject_cast<QAbstractButton*>(QApplication::focusWidget()) != nullptr;
}

}  // namespace

tarnekCellDelegate::tarnekCellDelegate(tarnekCtrlStruct& table, tarnekBaseListCtrl* grid)
    : QStyledItemDelegate(grid), table_(table), grid_(grid)
{}

QWidget* tarnekCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new tarnekEditCtrl(grid_, parent);
    editor->setFont(grid_->font());
    table_.TakeEditor(editor);
    return editor;
}

void tarnekCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<tarnekEditCtrl*>(editor);
    // The view calls this again whenever the cell's data changes under an open editor;
    // only the first call sets the editor up, so typed text is never overwritten.
    if (edit == nullptr || edit->owner() != nullptr)
        return;
    table_.ShowEditor(edit, index.data(Qt::DisplayRole).toString(), index.row(), index.column());
}

void tarnekCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    // Qt also asks for the text when the editor loses the focus or another cell becomes
    // current; only Enter confirms it.
    auto* edit = qobject_cast<tarnekEditCtrl*>(editor);
    if (edit == nullptr || !edit->confirmed() || edit->owner() == nullptr)
        return;
    model->setData(index, edit->text());
}

void tarnekCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const
{
    editor->setGeometry(option.rect.adjusted(-2, 0, 0, 0));
}

bool tarnekCellDelegate::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<tarnekEditCtrl*>(watched);
    if (edit != nullptr && event->type() == QEvent::FocusOut && FocusMovesToButton())
        return false;
    if (edit == nullptr || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(watched, event);

    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        edit->Confirm();
        emit commitData(edit);
        emit closeEditor(edit, QAbstractItemDelegate::NoHint);
        return true;
    }
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        emit closeEditor(edit, QAbstractItemDelegate::RevertModelCache);
        return true;
    default:
        return QStyledItemDelegate::eventFilter(watched, event);
    }
}
