#pragma once

#include <QIcon>

class QPushButton;

// The 16x16 image of every fill button.
QIcon FillButtonIcon();
// Gives a button the fill image: flat, 16x16, no text.
void SetFillButtonImage(QPushButton* button);
