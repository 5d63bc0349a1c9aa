#pragma once

#include <array>

#include <QPointer>
#include <QString>

#include "model/Descriptors.h"

class tarnekBaseListCtrl;
class tarnekEditCtrl;

// A dialog's table of grids and the one open cell editor. Grids are found by their target
// code, which is the index of their list in ValueLists().
struct tarnekCtrlStruct {
    tarnekCtrlStruct() = default;
    tarnekCtrlStruct(const tarnekCtrlStruct&) = delete;
    tarnekCtrlStruct& operator=(const tarnekCtrlStruct&) = delete;
    ~tarnekCtrlStruct();

    // Non-owning, by target code; null where no grid is bound.
    const std::array<tarnekBaseListCtrl*, kListCount>& grids() const { return grids_; }
    // The open editor; null when none is. Its grid's view holds the widget; DeleteEditor
    // ends it early.
    tarnekEditCtrl* editor() const;

    // Registers the grid under its target code, gives it the cell editor and routes its
    // edit requests (double click, or single click for one grid) to StartCellEdit.
    void BindGrid(tarnekBaseListCtrl* grid);

    tarnekBaseListCtrl* GridOf(int targetCode) const;

    // Opens the editor over cell (row, column); a row outside the grid opens nothing.
    // Returns whether an editor is open afterwards.
    bool StartCellEdit(tarnekBaseListCtrl* grid, int row, int column);
    // The editor the grid's delegate made for the cell being opened.
    void TakeEditor(tarnekEditCtrl* edit);
    void ShowEditor(tarnekEditCtrl* edit, const QString& text, int row, int column);
    // The text into the cell at `column` (a grid has one row) through the grid's model,
    // as the delegate writes a confirmed editor.
    void CommitCellEdit(tarnekBaseListCtrl* grid, int column, const QString& text);

    // Closes the open editor without writing and deletes it.
    void DeleteEditor();
    // Writes the open editor's text as Enter would, then closes it: every action that
    // reads, saves or closes the configuration calls this first, so that a typed value
    // is never lost to a save that reports success.
    void CommitEditor();

private:
    QPointer<tarnekEditCtrl> editor_;
    std::array<tarnekBaseListCtrl*, kListCount> grids_{};
};
