#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

// Ties a checkable button to whether the chart is shown, starting from the choice kept in
// QSettings under `key` (`shownByDefault` when nothing is kept) and keeping every later
// choice there. Any pane can be bound so, not only a chart.
void BindChartVisibility(QAbstractButton* toggle, QWidget* chart, const QString& key, bool shownByDefault = true);
