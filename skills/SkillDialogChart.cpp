// A skill dialog's chart pane, kept apart from its bands and edits: one chart under the
// bands for the band under the mouse or the grid that has the focus, a switch to hide it
// (remembered), and a status line for values a paste dropped. The bands scroll, so that
// the tallest tier, chart included, fits a 1280x800 screen.

#include "skills/SkillDialog.h"

#include <algorithm>

#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "charts/ChartPane.h"
#include "charts/CurveChart.h"
#include "charts/PointedGridCurve.h"
#include "grid/tarnekBaseListCtrl.h"
#include "widgets/QtText.h"

namespace {

constexpr const char* kChartShownKey = "skillDialogs/chartShown";
constexpr int kChartHeight = 240;
constexpr int kSmallestChartHeight = 180;

}  // namespace

void SkillDialog::BuildChartPane()
{
    chartPane_ = new ChartPane(*this, bands_, QStringLiteral("График"), QString::fromLatin1(kChartShownKey),
                               kSmallestChartHeight);
    chartPane_->controlsArea()->setWidgetResizable(true);

    CurveChart* chart = chartPane_->chart();
    chart->setObjectName(QStringLiteral("skillChart"));
    const bool perLevel = tier_.tier == Tier::Four;
    chart->SetAxisTitles(perLevel ? QStringLiteral("Уровень") : QStringLiteral("Уровень скила"),
                         QStringLiteral("Значение"));
    chart->SetNameAsTitle(true);
    auto* status = new QLabel();
    status->setObjectName(QStringLiteral("statusLine"));
    status->setWordWrap(true);
    QList<PointedGridCurve::Band> pointed;
    for (std::size_t band = 0; band < tier_.bands.size(); ++band) {
        if (tarnekBaseListCtrl* grid = grids_[band]) {
            pointed.append({ToQString(tier_.bands[band].title), grid, grid->parentWidget()});
            ReportDroppedValues(grid, status);
        }
    }
    new PointedGridCurve(chart, pointed, chartPane_);

    chartPane_->splitter()->setStretchFactor(0, 1);
    chartPane_->splitter()->setStretchFactor(1, 0);
    chartPane_->row()->addWidget(status, 1);
    // The buttons follow, under both.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chartPane_->splitter(), 1);
    layout->addLayout(chartPane_->row());
}

void SkillDialog::FitToScreen()
{
    const QRect available = AvailableArea(*this);
    const int bandsHeight = bands_->sizeHint().height();
    const int height = std::min(this->height() + kChartHeight, available.height() - 40);
    resize(std::min(width(), available.width() - 8), height);
    chartPane_->ShareHeight(bandsHeight, height);
}
