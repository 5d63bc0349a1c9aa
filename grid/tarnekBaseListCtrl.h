#pragma once

#include <QTableView>

#include "grid/ValueListModel.h"

class QLabel;

// A value list shown as a one-row grid: column i holds element i under the heading "i".
// The grid is a view of its ValueListModel. Editing is never started by Qt's own
// triggers; the grid only reports where the user asked for an edit (a double click, a
// single click on one grid, F2 or typing), and its control table (tarnekCtrlStruct)
// opens the editor. Like a spreadsheet row, the arrows move the current cell, Ctrl+C
// copies the selected cells, Ctrl+V pastes a run of values from the current cell on and
// Delete or Backspace empties the selected cells (the right-click menu offers the three);
// the vertical wheel scrolls the row.
class tarnekBaseListCtrl final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(tarnekBaseListCtrl)

public:
    static constexpr int kInitialColumnWidth = 50;

    // targetCode is the index of the grid's list in ValueLists(); the grid shows that list
    // of the session and makes every edit a step of `undo` (ValueListModel).
    tarnekBaseListCtrl(int targetCode, SessionSignals& session, QUndoStack& undo, QWidget* parent = nullptr);

    int targetCode() const { return targetCode_; }
    // One grid (Equipment Reincarnation) opens its editor on a single click.
    bool opensOnSingleClick() const { return singleClick_; }
    ValueListModel* listModel() const { return model_; }

    int rowCount() const { return model_->rowCount(); }
    int columnCount() const { return model_->columnCount(); }
    // Text of row 0, column c; empty for a column that does not exist.
    QString cellText(int column) const;

    // Closes an editor of this grid without writing it.
    void DiscardEditor(QWidget* editor);

    // The selected cells, or the whole row when none is selected, as tab-separated text.
    QString copiedText() const;
    // The values of the text into the cells from the current one on, as one edit;
    // returns how many did not fit and were dropped (also reported by valuesDropped).
    std::size_t Paste(const QString& text);
    // Empties the selected cells, or the current one when none is selected, as one edit.
    void ClearSelectedCells();

signals:
    void cellEditRequested(int row, int column);
    // A paste had more values than cells from the current one to the end of the row.
    void valuesDropped(int count);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The grid's own actions, then the window's (undo, redo, save).
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The vertical wheel scrolls the row sideways, as it does a one-row strip; a row that
    // fits leaves it to the form around the grid.
    void wheelEvent(QWheelEvent* event) override;

private:
    void onClicked(const QModelIndex& index);
    void onDoubleClicked(const QModelIndex& index);
    void onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles);

    int targetCode_;
    bool singleClick_;
    ValueListModel* model_;
};

// Whether the grid of this target code opens its editor on a single click.
bool OpensOnSingleClick(int targetCode);

// Says on the window's status line how many pasted values did not fit the grid.
void ReportDroppedValues(tarnekBaseListCtrl* grid, QLabel* statusLine);
