#pragma once

#include <algorithm>
#include <limits>

#include <QColor>

class QValueAxis;

// What every chart of levels shares: the colours of its curves and the scaling of its axes.

QColor CurveColour(int index);

// Level ticks whose labels stay readable from 11 up to 101 columns, and far beyond; 0 to lastLevel.
void SetLevelRange(QValueAxis* axis, int lastLevel);

struct ValueRange {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    bool empty() const { return low > high; }
    void Include(double y)
    {
        low = std::min(low, y);
        high = std::max(high, y);
    }
};

// The range with 0 in view and round ticks, labelled with as many decimals as the step
// has (the charts group the digits: "5 000 000"); 0 to 1 when nothing is plotted.
void SetValueRange(QValueAxis* axis, ValueRange range);
