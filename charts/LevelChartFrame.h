#pragma once

#include <QString>

class QChart;
class QChartView;
class QLabel;
class QVBoxLayout;
class QValueAxis;
class QWidget;

// What the charts of levels share around their plots.

// Sets the chart up as every chart of levels is (no animation, thin margins, the legend
// beside the plot, which leaves it all the height a short chart has), puts the level axis
// at its bottom, and returns a view of it inside `owner` whose mouse moves reach `owner`'s
// event filter.
QChartView* NewLevelChartView(QChart* chart, QValueAxis* levelAxis, QWidget* owner);

// The line under a chart that names what the mouse points at, showing `hint` until then.
QLabel* NewPointedLine(const QString& hint, QWidget* owner);

// The owner's layout, without margins: the chart and the lines under it stand close.
QVBoxLayout* NewChartLayout(QWidget* owner);
