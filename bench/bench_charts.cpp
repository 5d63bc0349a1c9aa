// What following a grid live costs: a refill of a 101-level grid re-marks its cells and
// redraws the chart's curves, and the level-count change does that for four grids at once.
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
// followed by the chart (2).
void BM_LevelChangeRefill4x101(benchmark::State& state)
{
    tarnekArrayStruct model = ModelWithLevels("100");
    tarnekCtrlStruct table;
    table.model = &model;
    std::vector<std::unique_ptr<tarnekBaseListCtrl>> grids;
    CurveChart chart;
    for (int code = 0; code < 4; ++code) {
        grids.push_back(std::make_unique<tarnekBaseListCtrl>(code));
        table.BindGrid(grids.back().get());
        if (state.range(0) >= 1)
            KeepGridMarked(grids.back().get(), model);
        if (state.range(0) >= 2)
            chart.addCurve(QString::number(code), grids.back()->model());
    }
    for (auto _ : state) {
        for (int code = 0; code < 4; ++code) {
            tarnekBaseListCtrl* grid = grids[static_cast<std::size_t>(code)].get();
            ClearGrid(grid);
            table.FillGrid(grid, model.*ValueLists()[static_cast<std::size_t>(code)].list);
        }
        chart.refresh();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LevelChangeRefill4x101)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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
