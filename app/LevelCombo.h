#pragma once

#include <QString>
#include <QStringList>

// The level counts offered in the main window: "10", "13", ... "100".
QStringList LevelCountItems();

// The item that a stored level count selects, or -1. Two wrapping prefix searches: the
// first from after item 0 finds k, the second from after k selects; so "10" selects item
// 0 although "100" also begins with it, and a text that no item begins with selects none.
int LevelCountIndex(const QStringList& items, const QString& levelCountText);
