#include "SkillDialogCurve.h"

#include <algorithm>

#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "CellMarking.h"
#include "ChartPane.h"
#include "CurveChart.h"
#include "PointedGridCurve.h"
#include "SkillDialog.h"
#include "tarnekBaseListCtrl.h"
#include "widgets/QtText.h"

namespace {

constexpr int kChartHeight = 240;
constexpr int kSmallestChartHeight = 180;

} // namespace

void AddSkillDialogCurve(SkillDialog& dialog)
{
    auto* layout = qobject_cast<QVBoxLayout*>(dialog.layout());
    if (layout == nullptr || ChartPane::Of(dialog) != nullptr || layout->count() == 0)
        return;
    const SkillTier& tier = dialog.tier();

    // Everything above the buttons (the bands and the stretch under them) moves, in order,
    // into a scrolled widget; the buttons stay at the bottom of the dialog.
    auto* bands = new QWidget();
    auto* bandLayout = new QVBoxLayout(bands);
    bandLayout->setContentsMargins(0, 0, 0, 0);
    const int moved = layout->count() - 1;
    for (int i = 0; i < moved; ++i) {
        QLayoutItem* item = layout->takeAt(0);
        if (QWidget* widget = item->widget()) {
            bandLayout->addWidget(widget, 0, item->alignment());
            delete item;
        } else {
            bandLayout->addItem(item);
        }
    }
    auto* pane = new ChartPane(dialog, bands, QStringLiteral("График"), QString::fromLatin1(kSkillChartShownKey),
                               kSmallestChartHeight);
    pane->controlsArea()->setWidgetResizable(true);

    CurveChart* chart = pane->chart();
    chart->setObjectName(QStringLiteral("skillChart"));
    const bool perLevel = tier.tier == Tier::Four;
    chart->setAxisTitles(perLevel ? QStringLiteral("Уровень") : QStringLiteral("Уровень скила"),
                         QStringLiteral("Значение"));
    chart->setNameAsTitle(true);
    auto* status = new QLabel();
    status->setObjectName(QStringLiteral("statusLine"));
    status->setWordWrap(true);
    QList<PointedGridCurve::Band> pointed;
    for (std::size_t band = 0; band < tier.bands.size(); ++band) {
        if (tarnekBaseListCtrl* grid = dialog.grid(band)) {
            pointed.append({ToQString(tier.bands[band].title), grid, grid->parentWidget()});
            KeepGridMarked(grid, *dialog.controlTable().model);
            ReportDroppedValues(grid, status);
        }
    }
    new PointedGridCurve(chart, pointed, pane);
    for (std::size_t box = 0; box < tier.boxes.size(); ++box)
        KeepBoxMarked(dialog.parameterBox(box), tier.boxes[box].text);

    pane->splitter()->setStretchFactor(0, 1);
    pane->splitter()->setStretchFactor(1, 0);
    layout->insertWidget(0, pane->splitter(), 1);
    pane->row()->addWidget(status, 1);
    layout->insertLayout(1, pane->row());

    // As tall as the bands and the chart want, as far as the screen allows.
    const QRect available = AvailableArea(dialog);
    const int bandsHeight = bands->sizeHint().height();
    const int height = std::min(dialog.height() + kChartHeight, available.height() - 40);
    dialog.resize(std::min(dialog.width(), available.width() - 8), height);
    pane->shareHeight(bandsHeight, height);
}
