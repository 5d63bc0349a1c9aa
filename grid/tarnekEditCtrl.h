#pragma once

#include <QLineEdit>

class tarnekBaseListCtrl;
struct tarnekCtrlStruct;

// The in-place editor over one grid cell. It takes any text: no length limit, no filter,
// no check. Enter, Escape, Tab and focus loss are handled by tarnekCellDelegate.
class tarnekEditCtrl final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(tarnekEditCtrl)

public:
    explicit tarnekEditCtrl(tarnekBaseListCtrl* grid, QWidget* parent);

    // Puts the editor over its cell, once, for the control table that receives the commit.
    void Attach(tarnekCtrlStruct* owner, int row, int column);
    // Enter was pressed: the text as it stands is to be written.
    void Confirm() { confirmed_ = true; }

    tarnekCtrlStruct* owner() const { return owner_; }
    tarnekBaseListCtrl* grid() const { return grid_; }
    int cellRow() const { return cellRow_; }
    int cellColumn() const { return cellColumn_; }
    bool confirmed() const { return confirmed_; }

private:
    tarnekBaseListCtrl* grid_;
    tarnekCtrlStruct* owner_ = nullptr;
    int cellRow_ = 0;
    int cellColumn_ = 0;
    bool confirmed_ = false;
};
