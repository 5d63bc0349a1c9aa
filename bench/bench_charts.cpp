// What following a grid live costs: a refill of a 101-level grid re-marks its cells and
// redraws the chart's curves, and the level-count change does that for four grids at once;
// the progression beside the curves recomputes both modes from the same four grids.
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QUndoStack>

#include "charts/CurveChart.h"
#include "charts/CurvePoints.h"
#include "charts/ProgressionChart.h"
#include "grid/CellMarking.h"
#include "grid/GridOperations.h"
#include "grid/SessionSignals.h"
#include "grid/tarnekBaseListCtrl.h"
#include "grid/tarnekCtrlStruct.h"
#include "model/Descriptors.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/RecordingSink.h"

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

// The four XP grids over a session, bound, marked and followed by a chart as in the window.
struct XpGrids {
    RecordingSink sink;
    EditingSession session;
    SessionSignals announcements{session};
    QUndoStack undo;
    tarnekCtrlStruct table;
    std::vector<std::unique_ptr<tarnekBaseListCtrl>> grids;
    CurveChart chart;
    ConfigurationEdit replaced;  // names the four XP lists as replaced, of another length

    XpGrids(const char* levels, int follow) : session(sink, ModelWithLevels(levels))
    {
        for (int code = 0; code < 4; ++code) {
            grids.push_back(std::make_unique<tarnekBaseListCtrl>(code, announcements, undo));
            table.BindGrid(grids.back().get());
            if (follow >= 1)
                KeepGridMarked(grids.back().get());
            if (follow >= 2)
                chart.AddCurve(QString::number(code), grids.back()->model());
            replaced.lists.push_back({static_cast<std::size_t>(code), 0, {}, {""}});
        }
    }

    // What the views do when the session says a fill or a level-count change replaced the
    // four lists: each grid reset and sized.
    void Refill()
    {
        emit announcements.changed(replaced, ChangeCause::Edit);
        // The chart redraws on the next turn of the event loop, as in the window.
        QCoreApplication::processEvents();
    }
};

// The four XP grids refilled and sized at 100 and 1,000 levels: plain (0), marked (1),
// marked and followed by the chart (2). A refill costs in proportion to the columns, not
// their square.
void BM_RefillXpGrids(benchmark::State& state)
{
    const std::string levels = std::to_string(state.range(0));
    XpGrids xp(levels.c_str(), static_cast<int>(state.range(1)));
    for (auto _ : state)
        xp.Refill();
    state.counters["columns"] = static_cast<double>(xp.grids.front()->columnCount());
}
BENCHMARK(BM_RefillXpGrids)->ArgsProduct({{100, 1000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

// The progression after a change: both modes recomputed from the four 101-level grids,
// both curves and the axes redrawn and painted on an offscreen surface.
void BM_ProgressionRefresh101(benchmark::State& state)
{
    XpGrids xp("100", 0);
    ProgressionChart progression(
        {xp.grids[0]->model(), xp.grids[1]->model(), xp.grids[2]->model(), xp.grids[3]->model()});
    progression.resize(1000, 300);
    progression.show();
    for (auto _ : state) {
        progression.Refresh();
        progression.repaint();
    }
    if (progression.steps(XpMode::Saved).size() != 100)
        state.SkipWithError("the progression does not reach level 100");
}
BENCHMARK(BM_ProgressionRefresh101)->Unit(benchmark::kMillisecond);

}  // namespace

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
