#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// The level counts offered in the main window: "10", "13", ... "100".
QStringList LevelCountItems();

// The item that a stored level count selects, or -1. Two wrapping prefix searches: the
// first from after item 0 finds k, the second from after k selects; so "10" selects item
// 0 although "100" also begins with it, and a text that no item begins with selects none.
int LevelCountIndex(const QStringList& items, const QString& levelCountText);

// Shows the stored level count in the box filled with LevelCountItems(): its item, or, for
// a count the box does not offer (1000, stored by another program), an extra item of its
// own after them, marked as the stored one. An extra item shown before goes.
void ShowLevelCount(QComboBox* combo, const QString& levelCountText);
// The level count the box's choice stands for (the stored text for the extra item); empty
// when nothing is chosen.
QString ChosenLevelCountText(const QComboBox* combo);
