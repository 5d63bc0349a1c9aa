#pragma once

#include <vector>

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QAbstractItemModel;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QValueAxis;

// Value lists plotted against the level. Each curve follows row 0 of an item model (a
// grid's model) and is redrawn as soon as the row changes: a committed cell, a refill, a
// new column count. Texts that are not numbers leave gaps, so one curve may be drawn as
// several series of the same colour, of which only the first has a legend entry.
class CurveChart final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CurveChart)

public:
    enum class Scale { Left, Right };

    explicit CurveChart(QWidget* parent = nullptr);
    ~CurveChart() override;

    void SetAxisTitles(const QString& levels, const QString& left, const QString& right = QString());
    // For a chart of one curve at a time: the curve's name as the chart's title, no legend.
    void SetNameAsTitle(bool on);

    // Adds a curve that follows row 0 of the model; returns its index.
    int AddCurve(const QString& name, const QAbstractItemModel* row, Scale scale = Scale::Left);
    // Points curve `index` at another row under another name (one chart serving many grids).
    void SetCurve(int index, const QString& name, const QAbstractItemModel* row);
    int curveCount() const { return static_cast<int>(curves_.size()); }
    QString curveName(int index) const;
    // The texts the curve was last drawn from.
    QStringList curveTexts(int index) const;
    // One series per run of plotted values; a single empty series when nothing is plotted.
    QList<QLineSeries*> curveSeries(int index) const;

    QChart* chart() const { return chart_; }
    QChartView* view() const { return view_; }
    // What the line under the chart says about the value last pointed at.
    QString pointedText() const;
    // That line; a window may move it into a layout of its own.
    QLabel* pointedLine() const { return pointed_; }

    // Re-reads every followed row now; changes are otherwise picked up on the next turn
    // of the event loop, once however many cells a refill touched. While the window is
    // shown and the chart is not (another view in front, switched off), only the texts
    // are read; the curves and axes are drawn when the chart shows again.
    void Refresh();

    // Shows the value of the curve at the level nearest to `point` (chart coordinates),
    // as hovering a line does.
    void PointAt(int curve, QPointF point);
    // Shows every curve's value at the level nearest to x.
    void PointAtLevel(double x);

signals:
    void valuePointed(const QString& curve, int level, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Curve {
        QString name;
        QPointer<const QAbstractItemModel> row;
        Scale scale = Scale::Left;
        QStringList texts;
        QList<QLineSeries*> series;
        QList<QMetaObject::Connection> connections;
    };

    void Follow(int index);
    void ScheduleRefresh();
    void Redraw(int index);
    void EnsureSeriesCount(int index, int count);
    void UpdateRanges();
    void UpdateTitle();
    QString Describe(int curve, int level) const;
    QString DescribeLevel(int level) const;
    void ShowPointed(const QString& text);
    void DescribePointedAgain();

    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QLabel* pointed_ = nullptr;
    QValueAxis* levelAxis_ = nullptr;
    QValueAxis* leftAxis_ = nullptr;
    QValueAxis* rightAxis_ = nullptr;
    std::vector<Curve> curves_;
    bool refreshPending_ = false;
    bool drawPending_ = false;  // the texts changed while the chart was hidden
    bool nameAsTitle_ = false;
    // What the line under the chart describes, so that it follows the values it names:
    // one curve's level, every curve's level (curve -1), or nothing yet (level -1).
    int pointedCurve_ = -1;
    int pointedLevel_ = -1;
};
