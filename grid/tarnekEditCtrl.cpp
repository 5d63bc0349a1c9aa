#include "grid/tarnekEditCtrl.h"

tarnekEditCtrl::tarnekEditCtrl(tarnekBaseListCtrl* grid, QWidget* parent) : QLineEdit(parent), grid_(grid)
{
    setFrame(false);
    setAlignment(Qt::AlignCenter);
}

void tarnekEditCtrl::Attach(tarnekCtrlStruct* owner, int row, int column)
{
    owner_ = owner;
    cellRow_ = row;
    cellColumn_ = column;
}
