#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include <QPointer>
#include <QString>

#include "Descriptors.h"
#include "ValueList.h"
#include "tarnekArrayStruct.h"

class tarnekBaseListCtrl;
class tarnekEditCtrl;

// A dialog's table of grids and the one open cell editor. Grids are found by their target
// code, which is the index of their list in ValueLists(); the list that gives a grid its
// column count is found the same way in the bound model.
struct tarnekCtrlStruct {
    tarnekCtrlStruct() = default;
    tarnekCtrlStruct(const tarnekCtrlStruct&) = delete;
    tarnekCtrlStruct& operator=(const tarnekCtrlStruct&) = delete;
    virtual ~tarnekCtrlStruct();

    // The open editor, if any. Its grid's view holds the widget; DeleteEditor ends it early.
    QPointer<tarnekEditCtrl> editor;
    std::array<tarnekBaseListCtrl*, kListCount> grids{};  // non-owning, by target code
    const tarnekArrayStruct* model = nullptr;
    std::int32_t editColumn = 0;
    std::int32_t editRow = 0;

    // Registers the grid under its target code, gives it the cell editor and routes its
    // edit requests (double click, or single click for one grid) to StartCellEdit.
    void BindGrid(tarnekBaseListCtrl* grid);

    tarnekBaseListCtrl* GridOf(int targetCode) const;
    // Length of the model list of that code; 0 without a model or for an unknown code.
    int ListLength(int targetCode) const;

    void FillGrid(tarnekBaseListCtrl* grid, const ValueList& list);
    void SizeGridColumns(tarnekBaseListCtrl* grid, int columnCount);
    // Opens the editor over cell (row, column); a row outside the grid opens nothing.
    // Returns whether an editor is open afterwards.
    bool StartCellEdit(tarnekBaseListCtrl* grid, int row, int column);
    void ShowEditor(tarnekEditCtrl* edit, const QString& text, int row, int column, int targetCode);
    // Told of every cell the user confirmed, after the grid shows it, with the text it replaced.
    std::function<void(int targetCode, int column, const QString& before, const QString& after)> cellCommitted;

    // Writes into row 0 (a grid has one row) at editColumn and widens the columns.
    void CommitCellEdit(tarnekBaseListCtrl* grid, int row, const QString& text, int columnCount);

    // Closes the open editor without writing and deletes it.
    void DeleteEditor();
};
