#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QIcon>
#include <QRect>

#include "app/ActionRow.h"
#include "app/SkillDialogLauncher.h"
#include "grid/ConfigurationEditCommand.h"
#include "grid/SessionSignals.h"
#include "grid/tarnekCtrlStruct.h"
#include "model/tarnekArrayStruct.h"
#include "pluginsrc/GeneratedLines.h"
#include "session/EditingSession.h"
#include "settingsdb/DatabaseLock.h"
#include "widgets/DialogBase.h"
#include "widgets/MessageBoxSink.h"
#include "widgets/StatusLine.h"

class ClimbTargetRow;
class CompilePane;
class ProgressionChart;
class QComboBox;
class QLabel;
class QAction;
class QPushButton;
class QUndoStack;
class XpChartPane;
class XpTables;

// The main window: the four XP tables (XpTables) on a form; under the form the XP curves
// and the kills the climb takes (and the compile output, CompilePane), then the row of
// actions (ActionRow: level count, skill tiers, save, compile, exit and the rest) and a
// status line. The window makes these parts, wires them to its editing session and runs
// the actions.
// The session holds the configuration for the window's whole life; every confirmed change
// is a step of the undo history made through the session, every control that shows the
// configuration follows the session's announcements, and closing with unsaved changes
// asks first.
class CTarnekChangeLevelDlg final : public DialogBase {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTarnekChangeLevelDlg)

public:
    // Opens the settings database under the current directory and loads it.
    explicit CTarnekChangeLevelDlg(QWidget* parent = nullptr);
    ~CTarnekChangeLevelDlg() override;

    // False after a start that could not open or load the database; then every action
    // that would save is disabled, so the empty model can never overwrite the settings.
    bool initialised() const { return initialised_; }
    // Whether this start made the settings database from the carried copy.
    bool databaseCreated() const;

    // Actions, public so that the window can be driven without a pointer.
    void OnFillXp(int targetCode);
    void OnCreateLevels();
    void CompilePlugin();
    void OnSkillTier(int tier);
    void OnLink();
    // "Сохранить" and Ctrl+S: an open cell editor and the boxes, then every table and both
    // sources, without compiling. True when the database was written.
    bool SaveEverything();
    // What the fills, "Создать уровни" and the compile save: the window's tables (the XP
    // lists, the level count and the XP parameters) and both sources, asking what to do
    // when another program saved in between; the status line then says `what` happened and
    // which files were written. False when nothing was written.
    bool SaveWindowTables(const QString& what = QStringLiteral("Сохранено"));
    // The level-count change after its question and before its save: the texts (count
    // and XP parameters) and all 31 lists recomputed, as one undo step.
    void RecomputeLevels(const std::vector<TextAssignment>& texts);
    // Shows a value a compiler line led back to: selects its cell in an XP grid, or opens
    // the skill dialog that holds it with the cell selected.
    void ShowValue(const GeneratedValue& value);
    // How the window names the value's list: an XP table's frame, a skill dialog's band.
    QString ValueTitle(const GeneratedValue& value) const;
    // The count "Создать уровни" would apply: the box's choice, or the configuration's own
    // when the box shows none.
    std::string ChosenLevelCount() const;
    // Takes a whole configuration from elsewhere (an imported file, the plugin's sources)
    // as one undo step; "Сохранить" then stores it whole.
    void ReplaceConfiguration(tarnekArrayStruct configuration, const QString& undoText);
    // An open cell editor's text into the session as Enter would write it: every action
    // that reads the configuration does this first.
    void CommitEditor();
    // Reads the database again when another program changed it and nothing here is unsaved.
    void NoticeOtherPrograms();

    const tarnekArrayStruct& model() const { return session_.configuration(); }
    EditingSession& session() { return session_; }
    SessionSignals& sessionSignals() { return signals_; }
    QUndoStack* undoStack() const { return undo_; }
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }

    // The parts.
    XpTables* xpTables() const { return xpTables_; }
    ActionRow* actionRow() const { return actionRow_; }
    QPushButton* button(ActionRow::Button which) const { return actionRow_->button(which); }
    QComboBox* levelCombo() const { return actionRow_->levelCombo(); }
    XpChartPane* panes() const { return panes_; }
    // Beside the XP curves in the chart pane, the kills the climb takes, with the climb
    // target row under it.
    ProgressionChart* progression() const;
    ClimbTargetRow* climbTarget() const { return climbTarget_; }
    CompilePane* compilePane() const;
    // A chosen level count not applied yet, the marked texts from the first compile on,
    // what a save wrote and what a paste dropped.
    QLabel* statusLine() const { return statusLine_; }
    void SetStatus(const QString& text, StatusTone tone = StatusTone::Information);
    // Sizes the window to its form and chart, within the screen's available area.
    void FitToScreen(const QRect& available);

    void done(int result) override;

protected:
    bool event(QEvent* event) override;

private:
    void BuildControls();
    void BuildPanes();
    void BuildCompilePane();
    void BuildClimbTarget();
    void BuildActions();
    bool OnInitDialog();
    void MarkWindowOnFolder();
    // One save with the conflict question; `what` as for SaveWindowTables.
    bool Save(SaveScope scope, const QString& what = QStringLiteral("Сохранено"));
    // The database read again, this window's history dropped, the status line told why.
    void ReadAgain(const QString& why);
    // A skill dialog run by `run`, given how the dialog hands back what it changed (one undo
    // step named `step`) and how its "Сохранить" saves.
    void RunSkillDialog(const QString& step, const std::function<void(const SkillDialogHooks&)>& run);
    // The status line follows every change of the session's configuration; an undo, a
    // redo or a reload also closes the cell editor.
    void Follow(const ConfigurationEdit& edit, ChangeCause cause);
    void ShowSaved(const SaveReport& report, const QString& what);
    // After the database was read: `read` says so (when not at the start), then the status
    // line names the first thing that keeps the configuration from being saved.
    void NoteStoredConfiguration(const QString& read);
    void UpdateStatusLine();
    QString PendingLevelCountNote() const;
    // What the status line says of the configuration itself: a count chosen and not applied,
    // the marked texts once a compile counted them.
    QStringList ConfigurationNotes() const;
    // Counts what the plugin compiler would reject and keeps the count on the status line
    // from then on; called before the compiler starts.
    void NoteMarkedTexts();
    void SetActionsEnabled(bool enabled);
    void Push(const QString& text, ConfigurationEditCommand::Make make);
    void RunSavingAction(const std::function<void()>& action);
    void ShowError(const char* text);
    std::filesystem::path WorkDirectory() const;

    tarnekCtrlStruct ctrl_;
    MessageBoxSink sink_;
    EditingSession session_;
    SessionSignals signals_;  // goes before the session
    std::optional<DatabaseLock> windowMark_;
    QUndoStack* undo_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QIcon icon_;
    bool initialised_ = false;
    bool noticing_ = false;
    bool marksNoted_ = false;  // a compile has counted the marked texts: the count is kept current

    XpTables* xpTables_ = nullptr;
    ActionRow* actionRow_ = nullptr;
    XpChartPane* panes_ = nullptr;
    ClimbTargetRow* climbTarget_ = nullptr;
    QLabel* statusLine_ = nullptr;
};
