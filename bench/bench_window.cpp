// The main window's own work, database and file writes left out: what a level-count
// change costs between the user's "Да" and the save, and what opening a skill dialog costs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTemporaryDir>

#include "app/CTarnekChangeLevelDlg.h"
#include "app/XpChartPane.h"
#include "app/XpTables.h"
#include "charts/ChartPane.h"
#include "charts/CurveChart.h"
#include "skills/SkillDialogs.h"
#include "widgets/UserMessageBox.h"

namespace {

// The level change to 100 levels in a shown window, with the chart (arg 0) or the
// progression (arg 1) in front; when `from` is given, each measured change starts from
// that many levels, set unmeasured.
void LevelChangeTo100(benchmark::State& state, const char* from)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("tarnek"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    {
        CTarnekChangeLevelDlg dialog;
        dialog.show();
        CurveChart* chart = ChartPane::Of(dialog)->chart();
        ChartPane::Of(dialog)->viewTabs()->setCurrentIndex(static_cast<int>(state.range(0)));
        for (auto _ : state) {
            if (from != nullptr) {
                state.PauseTiming();
                dialog.RecomputeLevels({{&tarnekArrayStruct::levelCountText, from}});
                QCoreApplication::processEvents();
                state.ResumeTiming();
            }
            dialog.RecomputeLevels({{&tarnekArrayStruct::levelCountText, "100"}});
            // The chart redraws on the next turn of the event loop, as in the window.
            QCoreApplication::processEvents();
        }
        if (chart->curveTexts(0).size() != 101)
            state.SkipWithError("the chart does not show 101 levels");
    }
    QDir::setCurrent(previous);
}

// Recompute all 31 lists for 100 levels, refill and size the four XP grids, redraw the
// chart's four curves (0), or with the progression shown instead, its two (1).
void BM_LevelChangeTo100InTheWindow(benchmark::State& state)
{
    LevelChangeTo100(state, nullptr);
}
BENCHMARK(BM_LevelChangeTo100InTheWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same change from 10 levels: every grid grows from 11 to 101 columns and the chart's
// level axis takes another scale, as when a new plugin gets its first real level count.
void BM_LevelChangeFrom10To100InTheWindow(benchmark::State& state)
{
    LevelChangeTo100(state, "10");
}
BENCHMARK(BM_LevelChangeFrom10To100InTheWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Building and showing the tier-4 dialog (four 101-level grids) until it is painted.
void BM_SkillDialogOpenAt100(benchmark::State& state)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("tarnek"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    {
        CTarnekChangeLevelDlg window;
        window.RecomputeLevels({{&tarnekArrayStruct::levelCountText, "100"}});
        for (auto _ : state) {
            const auto dialog = MakeSkillDialog(Tier::Four, window.session(), &window);
            dialog->show();
            QCoreApplication::processEvents();
        }
        UserMessageBox::SetNextAnswer(QMessageBox::Discard);
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_SkillDialogOpenAt100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UserMessageBox::SetUnattended(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
