#pragma once

#include <array>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "model/Progression.h"
#include "model/tarnekArrayStruct.h"

class QAbstractItemModel;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QSpinBox;
class QValueAxis;
class QVBoxLayout;

// The climb in kills: for both XP modes, the kills from level 0 plotted against the level,
// counted against opponents of the player's own level. It follows the four XP grids as the
// XP chart does, so an edit, a fill or a new level count shows at once; pointing at a level
// names the kills of that step and the total. A total ends at the first undefined step,
// which the line under the chart names. With a number of kills per hour the axis shows
// hours instead.
class ProgressionChart final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressionChart)

public:
    // The grids' models of the four XP lists, in target-code order.
    explicit ProgressionChart(const std::array<const QAbstractItemModel*, 4>& xpRows, QWidget* parent = nullptr);
    ~ProgressionChart() override;

    // Recomputes from the grids now; changes are otherwise picked up on the next turn of
    // the event loop, once however many cells changed. While the view is hidden (another
    // tab, the chart switched off) only the steps are computed; it is drawn when shown.
    void Refresh();

    const std::vector<ProgressionStep>& steps(XpMode mode) const;
    QLineSeries* series(XpMode mode) const;
    QChart* chart() const { return chart_; }
    QSpinBox* killsPerHourBox() const { return perHour_; }
    QString pointedText() const;
    QString gapsText() const;

    // Shows both modes' kills at the level nearest to x, as pointing at the chart does.
    void PointAtLevel(double x);
    // Why a step is undefined, naming the table and the cell, as the line under the chart says it.
    QString DescribeGap(const ProgressionStep& step) const;
    // A row of the window's own under the kills-per-hour row.
    void AddControlRow(QWidget* row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ScheduleRefresh();
    void Redraw();
    QString DescribeTotal(std::int64_t kills) const;

    std::array<QPointer<const QAbstractItemModel>, 4> rows_;
    QList<QMetaObject::Connection> connections_;
    tarnekArrayStruct xp_;  // only the four XP lists, as the grids show them
    std::array<std::vector<ProgressionStep>, 2> steps_;
    std::array<QLineSeries*, 2> series_{};
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    QValueAxis* levelAxis_ = nullptr;
    QValueAxis* totalAxis_ = nullptr;
    QSpinBox* perHour_ = nullptr;
    QLabel* pointed_ = nullptr;
    QLabel* gaps_ = nullptr;
    bool refreshPending_ = false;
    bool redrawPending_ = false;
};
