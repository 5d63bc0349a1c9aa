#include "charts/ChartAxes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QValueAxis>

QColor CurveColour(int index)
{
    static const std::array<QColor, 6> colours{QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                               QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd),
                                               QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b)};
    return colours[static_cast<std::size_t>(index) % colours.size()];
}

namespace {

// Levels up to 100 get a tick every 1, 2, 5 or 10 levels, about a dozen in all; a count
// stored by another program (1,000 levels) steps on by 20, 50, 100, ... with fewer ticks,
// as its labels are wider.
double LevelInterval(int lastLevel)
{
    if (lastLevel <= 12)
        return 1;
    if (lastLevel <= 25)
        return 2;
    if (lastLevel <= 60)
        return 5;
    if (lastLevel <= 120)
        return 10;
    for (double magnitude = 10;; magnitude *= 10) {
        for (const double step : {2.0, 5.0, 10.0}) {
            if (lastLevel <= 6 * step * magnitude)
                return step * magnitude;
        }
    }
}

// As many decimals as the tick step has: 0.25 takes two, 500000 none.
int StepDecimals(double step)
{
    int decimals = 0;
    for (double scaled = std::abs(step); decimals < 6; scaled *= 10, ++decimals) {
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            break;
    }
    return decimals;
}

// Fixed point with the step's decimals: "%g" writes exponent form from a million on.
QString AxisLabelFormat(double step)
{
    return QStringLiteral("%.%1f").arg(StepDecimals(step));
}

}  // namespace

void SetLevelRange(QValueAxis* axis, int lastLevel)
{
    const double interval = LevelInterval(lastLevel);
    // A new range lays the axis out at once with the interval it has then: 100 levels
    // at one tick per level would shape 101 labels only to drop 90 of them. The wider
    // interval goes first, so that neither step shows more ticks than the result.
    if (interval >= axis->tickInterval()) {
        axis->setTickInterval(interval);
        axis->setRange(0, lastLevel);
    } else {
        axis->setRange(0, lastLevel);
        axis->setTickInterval(interval);
    }
}

void SetValueRange(QValueAxis* axis, ValueRange range)
{
    if (range.empty())
        range = {0, 1};
    // Curves start from nothing at level 0; keeping 0 in view keeps their growth honest.
    range.low = std::min(range.low, 0.0);
    range.high = std::max(range.high, 0.0);
    if (range.high - range.low < 1e-9)
        range.high = range.low + 1;
    // Nice numbers pick round steps for this many ticks (0, 10000, ..., 60000) and then
    // change the count. They are worked out on an axis of no chart: every range a chart's
    // axis takes lays it out again, so it gets only the result.
    QValueAxis rounding;
    rounding.setRange(range.low, range.high);
    rounding.setTickCount(7);
    rounding.applyNiceNumbers();
    axis->setTickCount(rounding.tickCount());
    axis->setRange(rounding.min(), rounding.max());
    axis->setLabelFormat(AxisLabelFormat((rounding.max() - rounding.min()) / (rounding.tickCount() - 1)));
}
