#pragma once

#include <QTableWidget>

// A value list shown as a one-row grid: column i holds element i under the heading "i".
// Editing is never started by Qt's own triggers; the grid only reports where the user
// asked for an edit, and its control table (tarnekCtrlStruct) opens the editor.
class tarnekBaseListCtrl final : public QTableWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(tarnekBaseListCtrl)

public:
    static constexpr int kInitialColumnWidth = 50;

    // targetCode is the index of the grid's list in ValueLists().
    explicit tarnekBaseListCtrl(int targetCode, QWidget* parent = nullptr);

    int targetCode() const { return targetCode_; }
    // One grid (Equipment Reincarnation) opens its editor on a single click.
    bool opensOnSingleClick() const { return singleClick_; }

    // Text of row 0, column c; empty for a column that does not exist.
    QString cellText(int column) const;

    // Closes an editor of this grid without writing it.
    void discardEditor(QWidget* editor);

signals:
    void cellEditRequested(int row, int column);

private:
    void onClicked(const QModelIndex& index);
    void onDoubleClicked(const QModelIndex& index);

    int targetCode_;
    bool singleClick_;
};

// Whether the grid of this target code opens its editor on a single click.
bool OpensOnSingleClick(int targetCode);
