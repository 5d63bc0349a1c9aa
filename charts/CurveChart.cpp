#include "charts/CurveChart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <QAbstractItemModel>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include "charts/ChartAxes.h"
#include "charts/CurvePoints.h"
#include "charts/LevelChartFrame.h"
#include "charts/RowTexts.h"

namespace {

const QString kPointHint = QStringLiteral("Наведите указатель на график, чтобы увидеть значение уровня.");

QString LevelLine(int level, const QString& values)
{
    return QStringLiteral("Уровень %1 — %2").arg(level).arg(values);
}

}  // namespace

CurveChart::CurveChart(QWidget* parent)
    : QWidget(parent), chart_(new QChart()), levelAxis_(new QValueAxis()), leftAxis_(new QValueAxis()),
      rightAxis_(new QValueAxis())
{
    view_ = NewLevelChartView(chart_, levelAxis_, this);
    chart_->addAxis(leftAxis_, Qt::AlignLeft);
    chart_->addAxis(rightAxis_, Qt::AlignRight);
    rightAxis_->setVisible(false);

    pointed_ = NewPointedLine(kPointHint, this);

    QVBoxLayout* layout = NewChartLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(pointed_);

    SetAxisTitles(QStringLiteral("Уровень"), QStringLiteral("Значение"));
    UpdateRanges();
}

CurveChart::~CurveChart()
{
    for (Curve& curve : curves_)
        for (const QMetaObject::Connection& c : curve.connections)
            disconnect(c);
}

void CurveChart::SetAxisTitles(const QString& levels, const QString& left, const QString& right)
{
    levelAxis_->setTitleText(levels);
    leftAxis_->setTitleText(left);
    rightAxis_->setTitleText(right);
}

void CurveChart::SetNameAsTitle(bool on)
{
    nameAsTitle_ = on;
    chart_->legend()->setVisible(!on);
    UpdateTitle();
}

void CurveChart::UpdateTitle()
{
    chart_->setTitle(nameAsTitle_ ? curveName(0) : QString());
}

int CurveChart::AddCurve(const QString& name, const QAbstractItemModel* row, Scale scale)
{
    const int index = curveCount();
    curves_.push_back(Curve{name, row, scale, {}, {}, {}});
    Follow(index);
    Redraw(index);
    UpdateRanges();
    UpdateTitle();
    return index;
}

void CurveChart::SetCurve(int index, const QString& name, const QAbstractItemModel* row)
{
    if (index < 0 || index >= curveCount())
        return;
    Curve& curve = curves_[static_cast<std::size_t>(index)];
    curve.name = name;
    curve.row = row;
    Follow(index);
    Redraw(index);
    UpdateRanges();
    UpdateTitle();
    DescribePointedAgain();
}

QString CurveChart::curveName(int index) const
{
    return index >= 0 && index < curveCount() ? curves_[static_cast<std::size_t>(index)].name : QString();
}

QStringList CurveChart::curveTexts(int index) const
{
    return index >= 0 && index < curveCount() ? curves_[static_cast<std::size_t>(index)].texts : QStringList();
}

QList<QLineSeries*> CurveChart::curveSeries(int index) const
{
    return index >= 0 && index < curveCount() ? curves_[static_cast<std::size_t>(index)].series : QList<QLineSeries*>();
}

QString CurveChart::pointedText() const
{
    return pointed_->text();
}

void CurveChart::Follow(int index)
{
    Curve& curve = curves_[static_cast<std::size_t>(index)];
    for (const QMetaObject::Connection& c : curve.connections)
        disconnect(c);
    curve.connections.clear();
    const QAbstractItemModel* model = curve.row.data();
    if (model == nullptr)
        return;
    curve.connections = FollowRowTexts(model, this, [this] { ScheduleRefresh(); });
}

void CurveChart::ScheduleRefresh()
{
    CallOnNextTurn(refreshPending_, this, [this] { Refresh(); });
}

void CurveChart::Refresh()
{
    refreshPending_ = false;
    // Laying out the axes costs milliseconds that a level change cannot spare for a chart
    // behind another view of a shown window: it keeps the texts, for the line under it,
    // and draws them when it shows again.
    if (window()->isVisible() && !isVisible()) {
        for (Curve& curve : curves_)
            curve.texts = RowTexts(curve.row.data());
        drawPending_ = true;
    } else {
        drawPending_ = false;
        for (int i = 0; i < curveCount(); ++i)
            Redraw(i);
        UpdateRanges();
    }
    DescribePointedAgain();
}

void CurveChart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (drawPending_)
        Refresh();
}

void CurveChart::Redraw(int index)
{
    Curve& curve = curves_[static_cast<std::size_t>(index)];
    curve.texts = RowTexts(curve.row.data());
    const std::vector<std::vector<QPointF>> segments = CurveSegments(curve.texts);
    const int count = std::max<int>(1, static_cast<int>(segments.size()));
    EnsureSeriesCount(index, count);
    for (int s = 0; s < count; ++s) {
        QLineSeries* series = curve.series[s];
        series->setName(curve.name);
        if (static_cast<std::size_t>(s) < segments.size()) {
            const std::vector<QPointF>& points = segments[static_cast<std::size_t>(s)];
            series->replace(QList<QPointF>(points.begin(), points.end()));
            // A lone value between two gaps has no line to draw; its point shows it.
            series->setPointsVisible(points.size() == 1);
        } else {
            series->clear();
        }
    }
}

void CurveChart::EnsureSeriesCount(int index, int count)
{
    Curve& curve = curves_[static_cast<std::size_t>(index)];
    while (curve.series.size() > count) {
        QLineSeries* series = curve.series.takeLast();
        chart_->removeSeries(series);
        delete series;
    }
    while (curve.series.size() < count) {
        auto* series = new QLineSeries();
        QPen pen(CurveColour(index));
        pen.setWidthF(2);
        if (curve.scale == Scale::Right)
            pen.setStyle(Qt::DashLine);
        series->setPen(pen);
        series->setName(curve.name);
        chart_->addSeries(series);
        series->attachAxis(levelAxis_);
        series->attachAxis(curve.scale == Scale::Right ? rightAxis_ : leftAxis_);
        const bool legendEntry = curve.series.isEmpty();
        for (QLegendMarker* marker : chart_->legend()->markers(series))
            marker->setVisible(legendEntry);
        connect(series, &QLineSeries::hovered, this, [this, index](const QPointF& point, bool over) {
            if (over)
                PointAt(index, point);
        });
        curve.series.append(series);
    }
}

void CurveChart::UpdateRanges()
{
    qsizetype longest = 0;
    ValueRange left;
    ValueRange right;
    bool anyRight = false;
    for (const Curve& curve : curves_) {
        longest = std::max(longest, curve.texts.size());
        ValueRange& range = curve.scale == Scale::Right ? right : left;
        anyRight = anyRight || curve.scale == Scale::Right;
        for (const QLineSeries* series : curve.series) {
            for (const QPointF& p : series->points())
                range.Include(p.y());
        }
    }
    const int lastLevel = std::max<int>(1, static_cast<int>(longest) - 1);
    SetLevelRange(levelAxis_, lastLevel);
    SetValueRange(leftAxis_, left);
    SetValueRange(rightAxis_, right);
    rightAxis_->setVisible(anyRight);
}

QString CurveChart::Describe(int curve, int level) const
{
    const QStringList& texts = curves_[static_cast<std::size_t>(curve)].texts;
    if (level < 0 || level >= texts.size())
        return QString();
    const QString& text = texts[level];
    const QByteArray utf8 = text.toUtf8();
    const bool plotted =
        ReadPlottedNumber(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))).has_value();
    const QString shown = text.isEmpty() ? QStringLiteral("пусто") : text;
    return curveName(curve) + QStringLiteral(": ") + shown + (plotted ? QString() : QStringLiteral(" (не число)"));
}

void CurveChart::PointAt(int curve, QPointF point)
{
    if (curve < 0 || curve >= curveCount())
        return;
    const int level = static_cast<int>(std::lround(point.x()));
    const QString value = Describe(curve, level);
    if (value.isEmpty())
        return;
    const QString text = LevelLine(level, value);
    pointedCurve_ = curve;
    pointedLevel_ = level;
    ShowPointed(text);
    QToolTip::showText(QCursor::pos(), text, view_);
    emit valuePointed(curveName(curve), level, curveTexts(curve).at(level));
}

void CurveChart::PointAtLevel(double x)
{
    const int level = static_cast<int>(std::lround(x));
    const QString text = DescribeLevel(level);
    if (text.isEmpty())
        return;
    pointedCurve_ = -1;
    pointedLevel_ = level;
    ShowPointed(text);
}

QString CurveChart::DescribeLevel(int level) const
{
    QStringList parts;
    for (int i = 0; i < curveCount(); ++i) {
        const QString value = Describe(i, level);
        if (!value.isEmpty())
            parts.append(value);
    }
    return parts.isEmpty() ? QString() : LevelLine(level, parts.join(QStringLiteral("; ")));
}

void CurveChart::DescribePointedAgain()
{
    if (pointedLevel_ < 0)
        return;
    QString text;
    if (pointedCurve_ < 0) {
        text = DescribeLevel(pointedLevel_);
    } else {
        const QString value = Describe(pointedCurve_, pointedLevel_);
        if (!value.isEmpty())
            text = LevelLine(pointedLevel_, value);
    }
    // A level that no longer exists is described by nothing: back to the hint.
    if (text.isEmpty()) {
        pointedLevel_ = -1;
        text = kPointHint;
    }
    ShowPointed(text);
}

void CurveChart::ShowPointed(const QString& text)
{
    pointed_->setText(text);
}

bool CurveChart::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_->viewport() && event->type() == QEvent::MouseMove && !chart_->series().isEmpty()) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPointF inChart = chart_->mapFromScene(view_->mapToScene(move->position().toPoint()));
        if (chart_->plotArea().contains(inChart))
            PointAtLevel(chart_->mapToValue(inChart, chart_->series().first()).x());
    }
    return QWidget::eventFilter(watched, event);
}
