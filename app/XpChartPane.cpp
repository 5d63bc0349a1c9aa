#include "app/XpChartPane.h"

#include <algorithm>
#include <array>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QTabBar>

#include "app/CompilePane.h"
#include "app/XpTables.h"
#include "charts/ChartPane.h"
#include "charts/ChartVisibility.h"
#include "charts/CurveChart.h"
#include "charts/ProgressionChart.h"
#include "grid/tarnekBaseListCtrl.h"

namespace {

// The legend names the curves as the window's frames name the tables, without the console
// setting, so that all four fit beside each other.
constexpr std::array<const char*, XpTables::kTables> kCurveNames{
    "Не сохраняемые XP",
    "Сохраняемые XP",
    "Не сохраняемые XP за убийство",
    "Сохраняемые XP за убийство",
};

constexpr const char* kChartShownKey = "mainWindow/xpChartShown";
constexpr const char* kSplitterKey = "mainWindow/paneHeights";
constexpr int kSmallestChartHeight = 200;

}  // namespace

XpChartPane::XpChartPane(QWidget& window, XpTables* tables)
    : QObject(&window), pane_(new ChartPane(window, tables, QStringLiteral("График опыта"),
                                            QString::fromLatin1(kChartShownKey), kSmallestChartHeight))
{
    pane_->controlsArea()->setWidgetResizable(true);
    CurveChart* chart = pane_->chart();
    chart->setObjectName(QStringLiteral("xpChart"));
    chart->SetAxisTitles(QStringLiteral("Уровень"), QStringLiteral("Опыт для уровня (XP)"),
                         QStringLiteral("Опыт за убийство (XP)"));
    std::array<const QAbstractItemModel*, XpTables::kTables> rows{};
    for (int code = 0; code < XpTables::kTables; ++code) {
        rows[static_cast<std::size_t>(code)] = tables->grid(code)->model();
        chart->AddCurve(QString::fromUtf8(kCurveNames[static_cast<std::size_t>(code)]), tables->grid(code)->model(),
                        code < 2 ? CurveChart::Scale::Left : CurveChart::Scale::Right);
    }
    // Beside the XP curves, what they mean for a player: the kills the climb takes.
    progression_ = new ProgressionChart(rows);
    progression_->setObjectName(QStringLiteral("progressionChart"));
    pane_->viewTabs()->setTabText(0, QStringLiteral("Опыт"));
    pane_->AddView(progression_, QStringLiteral("Прогрессия"));
    pane_->splitter()->setStretchFactor(0, 0);
    pane_->splitter()->setStretchFactor(1, 1);

    connect(pane_->splitter(), &QSplitter::splitterMoved, this, [this] {
        QVariantList sizes;
        for (int size : pane_->splitter()->sizes())
            sizes.append(size);
        QSettings().setValue(QString::fromLatin1(kSplitterKey), sizes);
    });
}

CompilePane* XpChartPane::AddCompilePane()
{
    if (compilePane_ != nullptr)
        return compilePane_;
    compilePane_ = new CompilePane();
    pane_->splitter()->addWidget(compilePane_);
    pane_->splitter()->setStretchFactor(2, 1);
    compileSwitch_ = new QCheckBox(QStringLiteral("Вывод компилятора"));
    compileSwitch_->setObjectName(QStringLiteral("compilePaneSwitch"));
    compileSwitch_->setToolTip(QStringLiteral("Показывает или скрывает вывод компилятора; выбор запоминается"));
    pane_->row()->insertWidget(1, compileSwitch_);
    BindChartVisibility(compileSwitch_, compilePane_, QString::fromLatin1(kCompilePaneShownKey), false);
    // A compile shows its output.
    connect(compilePane_, &CompilePane::runningChanged, compileSwitch_, [this](bool running) {
        if (running)
            compileSwitch_->setChecked(true);
    });
    return compilePane_;
}

void XpChartPane::RestoreHeights()
{
    const QVariantList stored = QSettings().value(QString::fromLatin1(kSplitterKey)).toList();
    QSplitter* splitter = pane_->splitter();
    if (stored.size() != splitter->count())
        return;
    QList<int> sizes;
    for (const QVariant& size : stored)
        sizes.append(std::max(size.toInt(), 1));  // a hidden pane shown later gets room
    splitter->setSizes(sizes);
}
