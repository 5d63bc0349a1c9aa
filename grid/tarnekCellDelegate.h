#pragma once

#include <QStyledItemDelegate>

class tarnekBaseListCtrl;
struct tarnekCtrlStruct;

// Opens a tarnekEditCtrl over a grid cell and gives it the grid's editing rules: only
// Enter confirms the text, which setModelData then writes through the model's setData;
// Escape, Tab and focus loss close the editor and leave the cell as it was, though Qt asks
// setModelData on focus loss too. A button that takes the focus leaves the editor open for
// its action to commit.
class tarnekCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(tarnekCellDelegate)

public:
    tarnekCellDelegate(tarnekCtrlStruct& table, tarnekBaseListCtrl* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    tarnekCtrlStruct& table_;
    tarnekBaseListCtrl* grid_;
};
