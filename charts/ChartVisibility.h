#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

// Ties a checkable button to whether the chart is shown, starting from the choice kept in
// QSettings under `key` (shown when nothing is kept) and keeping every later choice there.
void BindChartVisibility(QAbstractButton* toggle, QWidget* chart, const QString& key);
