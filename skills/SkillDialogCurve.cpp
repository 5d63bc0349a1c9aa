#include "SkillDialogCurve.h"

#include <algorithm>

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "CellMarking.h"
#include "ChartVisibility.h"
#include "CurveChart.h"
#include "PointedGridCurve.h"
#include "SkillDialog.h"
#include "tarnekBaseListCtrl.h"

namespace {

constexpr int kChartHeight = 240;
constexpr int kSmallestChartHeight = 180;

class SkillDialogCurve final : public QObject {
    Q_OBJECT

public:
    explicit SkillDialogCurve(QObject* parent) : QObject(parent) {}

    QScrollArea* bandArea = nullptr;
    CurveChart* chart = nullptr;
    QCheckBox* chartSwitch = nullptr;
};

SkillDialogCurve* Parts(const SkillDialog& dialog)
{
    return dialog.findChild<SkillDialogCurve*>(QString(), Qt::FindDirectChildrenOnly);
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void AddSkillDialogCurve(SkillDialog& dialog)
{
    auto* layout = qobject_cast<QVBoxLayout*>(dialog.layout());
    if (layout == nullptr || Parts(dialog) != nullptr || layout->count() == 0)
        return;
    auto* parts = new SkillDialogCurve(&dialog);
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
    parts->bandArea = new QScrollArea();
    parts->bandArea->setWidget(bands);
    parts->bandArea->setWidgetResizable(true);
    parts->bandArea->setFrameShape(QFrame::NoFrame);

    parts->chart = new CurveChart();
    parts->chart->setObjectName(QStringLiteral("skillChart"));
    const bool perLevel = tier.tier == Tier::Four;
    parts->chart->setAxisTitles(perLevel ? QStringLiteral("Уровень") : QStringLiteral("Уровень скила"),
                                QStringLiteral("Значение"));
    parts->chart->setMinimumHeight(kSmallestChartHeight);
    parts->chart->setNameAsTitle(true);
    QList<PointedGridCurve::Band> pointed;
    for (std::size_t band = 0; band < tier.bands.size(); ++band) {
        if (tarnekBaseListCtrl* grid = dialog.grid(band)) {
            pointed.append({ToQString(tier.bands[band].title), grid, grid->parentWidget()});
            KeepGridMarked(grid, *dialog.controlTable().model);
        }
    }
    new PointedGridCurve(parts->chart, pointed, parts);
    for (std::size_t box = 0; box < tier.boxes.size(); ++box)
        KeepBoxMarked(dialog.parameterBox(box), tier.boxes[box].text);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(parts->bandArea);
    splitter->addWidget(parts->chart);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);

    parts->chartSwitch = new QCheckBox(QStringLiteral("График"));
    auto* row = new QHBoxLayout();
    row->addWidget(parts->chartSwitch);
    row->addSpacing(12);
    row->addWidget(parts->chart->pointedLine(), 1);

    layout->insertWidget(0, splitter, 1);
    layout->insertLayout(1, row);
    BindChartVisibility(parts->chartSwitch, parts->chart, QString::fromLatin1(kSkillChartShownKey));

    // As tall as the bands and the chart want, as far as the screen allows.
    const QScreen* screen = dialog.screen() != nullptr ? dialog.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const int bandsHeight = bands->sizeHint().height();
    const int height = std::min(dialog.height() + kChartHeight, available.height() - 40);
    dialog.resize(std::min(dialog.width(), available.width() - 8), height);
    splitter->setSizes({bandsHeight, std::max(kSmallestChartHeight, height - bandsHeight)});
}

CurveChart* SkillDialogChart(const SkillDialog& dialog)
{
    const SkillDialogCurve* parts = Parts(dialog);
    return parts != nullptr ? parts->chart : nullptr;
}

QAbstractButton* SkillDialogChartSwitch(const SkillDialog& dialog)
{
    const SkillDialogCurve* parts = Parts(dialog);
    return parts != nullptr ? parts->chartSwitch : nullptr;
}

QScrollArea* SkillDialogBandArea(const SkillDialog& dialog)
{
    const SkillDialogCurve* parts = Parts(dialog);
    return parts != nullptr ? parts->bandArea : nullptr;
}

#include "SkillDialogCurve.moc"
