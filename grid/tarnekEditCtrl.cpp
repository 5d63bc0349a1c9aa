#include "tarnekEditCtrl.h"

tarnekEditCtrl::tarnekEditCtrl(tarnekBaseListCtrl* grid, QWidget* parent) : QLineEdit(parent), grid(grid)
{
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    connect(this, &QLineEdit::textChanged, this, &tarnekEditCtrl::onTextChanged);
}

void tarnekEditCtrl::onTextChanged(const QString& text)
{
    editText = text;
}
