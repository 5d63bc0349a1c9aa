// What following a grid live costs: a refill of a 101-level grid re-marks its cells and
// redraws the chart's curves, and the level-count change does that for four grids at once;
// the progression beside the curves recomputes both modes from the same four grids.
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "CellMarking.h"
#include "CurveChart.h"
#include "CurvePoints.h"
#include "Descriptors.h"
#include "GridOperations.h"
#include "InitialConfiguration.h"
#include "ProgressionChart.h"
#include "tarnekBaseListCtrl.h"
#include "tarnekCtrlStruct.h"

namespace {

tarnekArrayStruct ModelWithLevels(const char* levels)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.levelCountText = levels;
    RecomputeAllLists(model);
    return model;
}

void BM_CurveSegments101(benchmark::State& state)
{
    const tarnekArrayStruct model = ModelWithLevels("100");
    QStringList texts;
    for (const std::string& t : model.xpLevelSaved)
        texts.append(QString::fromStdString(t));
    texts[50] = QStringLiteral("1O");
    for (auto _ : state)
        benchmark::DoNotOptimize(CurveSegments(texts));
}
BENCHMARK(BM_CurveSegments101);

// Clear and refill the four XP grids at 100 levels: plain (0), marked (1), marked and
// followed by the chart (2), and by the progression as well (3).
void BM_LevelChangeRefill4x101(benchmark::State& state)
{
    tarnekArrayStruct model = ModelWithLevels("100");
    tarnekCtrlStruct table;
    table.model = &model;
    std::vector<std::unique_ptr<tarnekBaseListCtrl>> grids;
    CurveChart chart;
    std::unique_ptr<ProgressionChart> progression;
    for (int code = 0; code < 4; ++code) {
        grids.push_back(std::make_unique<tarnekBaseListCtrl>(code));
        table.BindGrid(grids.back().get());
        if (state.range(0) >= 1)
            KeepGridMarked(grids.back().get(), model);
        if (state.range(0) >= 2)
            chart.addCurve(QString::number(code), grids.back()->model());
    }
    if (state.range(0) >= 3)
        progression = std::make_unique<ProgressionChart>(std::array<const QAbstractItemModel*, 4>{
            grids[0]->model(), grids[1]->model(), grids[2]->model(), grids[3]->model()});
    for (auto _ : state) {
        for (int code = 0; code < 4; ++code) {
            tarnekBaseListCtrl* grid = grids[static_cast<std::size_t>(code)].get();
            ClearGrid(grid);
            table.FillGrid(grid, model.*ValueLists()[static_cast<std::size_t>(code)].list);
        }
        chart.refresh();
        if (progression)
            progression->refresh();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LevelChangeRefill4x101)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// The progression alone after a change: both modes recomputed from four 101-level grids,
// both curves and the axes redrawn, shown on an offscreen surface.
void BM_ProgressionRefresh101(benchmark::State& state)
{
    const tarnekArrayStruct model = ModelWithLevels("100");
    tarnekCtrlStruct table;
    table.model = &model;
    std::vector<std::unique_ptr<tarnekBaseListCtrl>> grids;
    for (int code = 0; code < 4; ++code) {
        grids.push_back(std::make_unique<tarnekBaseListCtrl>(code));
        table.BindGrid(grids.back().get());
        table.FillGrid(grids.back().get(), model.*ValueLists()[static_cast<std::size_t>(code)].list);
    }
    ProgressionChart progression({grids[0]->model(), grids[1]->model(), grids[2]->model(), grids[3]->model()});
    progression.resize(1000, 300);
    progression.show();
    for (auto _ : state) {
        progression.refresh();
        progression.repaint();
    }
}
BENCHMARK(BM_ProgressionRefresh101)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
