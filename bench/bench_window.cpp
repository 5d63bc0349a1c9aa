// The main window and a skill dialog at 100 levels, offscreen: what a level change costs
// in the window once the database and file writes are left out, and opening a dialog.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "CTarnekChangeLevelDlg.h"
#include "SkillDialogs.h"
#include "UserMessageBox.h"

namespace {

// A scratch plugin folder as the current directory for one benchmark.
class ScratchPlugin final {
public:
    ScratchPlugin() : previous_(QDir::currentPath())
    {
        QDir(dir_.path()).mkdir(QStringLiteral("tarnek"));
        QDir::setCurrent(dir_.path());
    }
    ~ScratchPlugin() { QDir::setCurrent(previous_); }
    ScratchPlugin(const ScratchPlugin&) = delete;
    ScratchPlugin& operator=(const ScratchPlugin&) = delete;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Redo of a level change from 10 to 100: all 31 lists replaced, the four grids refilled
// and re-marked, boxes and count shown, the chart redrawn. The recomputation itself is
// BM_SessionLevelChange.
void BM_WindowLevelChangeTo100(benchmark::State& state)
{
    ScratchPlugin folder;
    CTarnekChangeLevelDlg dialog;
    dialog.show();
    QCoreApplication::processEvents();
    dialog.PushEdit(dialog.session().ChangeLevelCount({{&tarnekArrayStruct::levelCountText, "100"}}),
                    QStringLiteral("levels"));
    for (auto _ : state) {
        state.PauseTiming();
        dialog.undoAction()->trigger();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        dialog.redoAction()->trigger();
        QCoreApplication::processEvents();
    }
    UserMessageBox::SetNextAnswer(QMessageBox::Discard);
}
BENCHMARK(BM_WindowLevelChangeTo100)->Unit(benchmark::kMillisecond);

// Building and showing the tier-4 dialog (four 101-level grids) until it is painted.
void BM_SkillDialogOpenAt100(benchmark::State& state)
{
    ScratchPlugin folder;
    CTarnekChangeLevelDlg window;
    window.session().ChangeLevelCount({{&tarnekArrayStruct::levelCountText, "100"}});
    for (auto _ : state) {
        const auto dialog = MakeSkillDialog(Tier::Four, window.session(), &window);
        dialog->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        dialog->hide();
        state.ResumeTiming();
    }
    UserMessageBox::SetNextAnswer(QMessageBox::Discard);
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
