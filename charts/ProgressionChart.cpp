#include "charts/ProgressionChart.h"

#include <cmath>

#include <QAbstractItemModel>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>

#include "charts/ChartAxes.h"
#include "charts/LevelChartFrame.h"
#include "charts/RowTexts.h"
#include "model/Descriptors.h"

namespace {

const QString kAssumption = QStringLiteral("противники того же уровня");
const QString kPointHint = QStringLiteral("Наведите указатель на график, чтобы увидеть число убийств до уровня.");
// As the window's frames name the modes, without the XP lists' own words.
const std::array<QString, 2> kModeNames{QStringLiteral("Не сохраняемые XP (kq4_save_xp 0)"),
                                        QStringLiteral("Сохраняемые XP (kq4_save_xp 1)")};
constexpr int kMostKillsPerHour = 100000;

QString Quoted(const QString& text)
{
    return QStringLiteral("«%1»").arg(text);
}

QString Count(std::int64_t n)
{
    return QString::number(n);
}

}  // namespace

ProgressionChart::ProgressionChart(const std::array<const QAbstractItemModel*, 4>& xpRows, QWidget* parent)
    : QWidget(parent), chart_(new QChart()), levelAxis_(new QValueAxis()), totalAxis_(new QValueAxis())
{
    chart_->setTitle(kAssumption);
    view_ = NewLevelChartView(chart_, levelAxis_, this);
    levelAxis_->setTitleText(QStringLiteral("Уровень"));
    chart_->addAxis(totalAxis_, Qt::AlignLeft);
    for (std::size_t m = 0; m < series_.size(); ++m) {
        auto* series = new QLineSeries();
        series->setName(kModeNames[m]);
        QPen pen(CurveColour(static_cast<int>(m)));
        pen.setWidthF(2);
        series->setPen(pen);
        chart_->addSeries(series);
        series->attachAxis(levelAxis_);
        series->attachAxis(totalAxis_);
        series_[m] = series;
    }

    perHour_ = new QSpinBox(this);
    perHour_->setObjectName(QStringLiteral("killsPerHour"));
    perHour_->setRange(0, kMostKillsPerHour);
    // 0 is "not given": the axis then counts kills.
    perHour_->setSpecialValueText(QStringLiteral("—"));
    perHour_->setToolTip(QStringLiteral("Сколько убийств игрок делает за час; с ним ось показывает часы игры."));
    connect(perHour_, &QSpinBox::valueChanged, this, &ProgressionChart::Redraw);

    pointed_ = NewPointedLine(kPointHint, this);
    pointed_->setWordWrap(true);
    gaps_ = new QLabel(this);
    gaps_->setStyleSheet(QStringLiteral("color: #8b1a1a;"));
    gaps_->setWordWrap(true);
    gaps_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* options = new QHBoxLayout();
    auto* perHourLabel = new QLabel(QStringLiteral("Убийств в час:"), this);
    perHourLabel->setBuddy(perHour_);
    options->addWidget(perHourLabel);
    options->addWidget(perHour_);
    options->addStretch(1);

    layout_ = NewChartLayout(this);
    layout_->addLayout(options);
    layout_->addWidget(view_, 1);
    layout_->addWidget(gaps_);
    layout_->addWidget(pointed_);

    for (std::size_t code = 0; code < rows_.size(); ++code) {
        rows_[code] = xpRows[code];
        connections_.append(FollowRowTexts(xpRows[code], this, [this] { ScheduleRefresh(); }));
    }
    Refresh();
}

ProgressionChart::~ProgressionChart()
{
    for (const QMetaObject::Connection& c : connections_)
        disconnect(c);
}

const std::vector<ProgressionStep>& ProgressionChart::steps(XpMode mode) const
{
    return steps_[static_cast<std::size_t>(mode)];
}

QLineSeries* ProgressionChart::series(XpMode mode) const
{
    return series_[static_cast<std::size_t>(mode)];
}

QString ProgressionChart::pointedText() const
{
    return pointed_->text();
}

QString ProgressionChart::gapsText() const
{
    return gaps_->text();
}

void ProgressionChart::ScheduleRefresh()
{
    CallOnNextTurn(refreshPending_, this, [this] { Refresh(); });
}

void ProgressionChart::Refresh()
{
    refreshPending_ = false;
    for (std::size_t code = 0; code < rows_.size(); ++code) {
        std::vector<std::string> texts;
        for (const QString& text : RowTexts(rows_[code].data()))
            texts.push_back(text.toStdString());
        xp_.*ValueLists()[code].list = ValueList(std::move(texts));
    }
    for (const XpModeDescriptor& mode : XpModes())
        steps_[static_cast<std::size_t>(mode.mode)] = ComputeProgression(xp_, mode.mode);
    // Laying out a chart's axes costs a few milliseconds, which a level change in the
    // window cannot spare for a view nobody sees.
    if (isVisible())
        Redraw();
    else
        redrawPending_ = true;
}

void ProgressionChart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (redrawPending_)
        Redraw();
}

void ProgressionChart::Redraw()
{
    redrawPending_ = false;
    const int perHour = perHour_->value();
    totalAxis_->setTitleText(perHour > 0 ? QStringLiteral("Часов игры") : QStringLiteral("Убийств"));
    ValueRange range;
    int lastLevel = 1;
    QStringList gaps;
    for (std::size_t m = 0; m < steps_.size(); ++m) {
        // Each total is the whole climb to its level, so the curve ends at the first gap.
        QList<QPointF> points{QPointF(0, 0)};
        for (const ProgressionStep& step : steps_[m]) {
            if (!step.total)
                break;
            const double y =
                perHour > 0 ? static_cast<double>(*step.total) / perHour : static_cast<double>(*step.total);
            points.append(QPointF(step.level, y));
            range.Include(y);
        }
        if (steps_[m].empty())
            points.clear();
        series_[m]->replace(points);
        for (const ProgressionStep& step : steps_[m]) {
            if (step.gap != StepGap::None) {
                gaps.append(QStringLiteral("%1: с уровня %2 не определено — %3")
                                .arg(kModeNames[m])
                                .arg(step.level)
                                .arg(DescribeGap(step)));
                break;
            }
        }
        if (!steps_[m].empty())
            lastLevel = std::max(lastLevel, steps_[m].back().level);
    }
    SetLevelRange(levelAxis_, lastLevel);
    SetValueRange(totalAxis_, range);
    gaps_->setText(gaps.join(QLatin1Char('\n')));
    gaps_->setVisible(!gaps.isEmpty());
}

QString ProgressionChart::DescribeGap(const ProgressionStep& step) const
{
    const ListDescriptor& list = ValueLists()[step.gapList];
    const ValueList& values = xp_.*list.list;
    const QString where =
        QStringLiteral("%1, уровень %2")
            .arg(Quoted(QString::fromUtf8(list.column.data(), static_cast<qsizetype>(list.column.size()))))
            .arg(step.gapCell);
    if (step.gapCell >= values.size())
        return where + QStringLiteral(": нет значения");
    const QString text = QString::fromStdString(values.at(step.gapCell));
    switch (step.gap) {
    case StepGap::NotANumber:
        return where + QStringLiteral(": %1 — не целое число").arg(Quoted(text));
    case StepGap::NoXpPerKill:
        return where + QStringLiteral(": за убийство %1 XP, нужно больше нуля").arg(text);
    case StepGap::FallingNeededXp:
        return where + QStringLiteral(": нужно %1 XP, меньше, чем для уровня %2 (%3 XP)")
                           .arg(text)
                           .arg(step.gapCell - 1)
                           .arg(QString::fromStdString(values.at(step.gapCell - 1)));
    case StepGap::None:
        break;
    }
    return where;
}

void ProgressionChart::AddControlRow(QWidget* row)
{
    row->setParent(this);
    layout_->insertWidget(1, row);
}

QString ProgressionChart::DescribeTotal(std::int64_t kills) const
{
    const int perHour = perHour_->value();
    if (perHour <= 0)
        return Count(kills);
    return QStringLiteral("%1 ч").arg(QString::number(static_cast<double>(kills) / perHour, 'f', 1));
}

void ProgressionChart::PointAtLevel(double x)
{
    const int level = static_cast<int>(std::lround(x));
    QStringList parts;
    for (std::size_t m = 0; m < steps_.size(); ++m) {
        const std::vector<ProgressionStep>& steps = steps_[m];
        if (level < 1 || static_cast<std::size_t>(level) > steps.size())
            continue;
        const ProgressionStep& step = steps[static_cast<std::size_t>(level - 1)];
        // Counts without a noun after them: "убийств" once in front reads right for any number.
        const QString kills = step.kills ? QStringLiteral("%1 за уровень").arg(Count(*step.kills))
                                         : QStringLiteral("за уровень не определено (%1)").arg(DescribeGap(step));
        const QString total =
            step.total ? DescribeTotal(*step.total) + QStringLiteral(" всего") : QStringLiteral("всего не определено");
        parts.append(QStringLiteral("%1: %2, %3").arg(kModeNames[m], kills, total));
    }
    if (level == 0)
        parts.append(QStringLiteral("начало подъёма"));
    if (!parts.isEmpty())
        pointed_->setText(QStringLiteral("Уровень %1, убийств — %2").arg(level).arg(parts.join(QStringLiteral("; "))));
}

bool ProgressionChart::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_->viewport() && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPointF inChart = chart_->mapFromScene(view_->mapToScene(move->position().toPoint()));
        if (chart_->plotArea().contains(inChart))
            PointAtLevel(chart_->mapToValue(inChart, series_[0]).x());
    }
    return QWidget::eventFilter(watched, event);
}
