#pragma once

#include <array>
#include <cstdint>

#include <QPointer>
#include <QString>

#include "Descriptors.h"
#include "ValueList.h"
#include "tarnekArrayStruct.h"

class tarnekBaseListCtrl;
class tarnekEditCtrl;

// A dialog's table of grids and the one open cell editor. Grids are found by their target
// code, which is the index of their list in ValueLists(); `model` is the configuration
// whose level count decides how the grids are marked.
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

    void SizeGridColumns(tarnekBaseListCtrl* grid, int columnCount);
    // Opens the editor over cell (row, column); a row outside the grid opens nothing.
    // Returns whether an editor is open afterwards.
    bool StartCellEdit(tarnekBaseListCtrl* grid, int row, int column);
    void ShowEditor(tarnekEditCtrl* edit, const QString& text, int row, int column, int targetCode);
    // Asks the grid's model to write the text into row 0 (a grid has one row) at
    // editColumn; the grid widens its columns once the cell shows it.
    void CommitCellEdit(tarnekBaseListCtrl* grid, int row, const QString& text);

    // Closes the open editor without writing and deletes it.
    void DeleteEditor();
};
