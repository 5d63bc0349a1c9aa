#pragma once

#include <array>
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
#include "grid/ValueListModel.h"
#include "grid/tarnekCtrlStruct.h"
#include "model/Descriptors.h"
#include "model/tarnekArrayStruct.h"
#include "pluginsrc/GeneratedLines.h"
#include "session/EditingSession.h"
#include "settingsdb/DatabaseLock.h"
#include "widgets/DialogBase.h"
#include "widgets/MessageBoxSink.h"
#include "widgets/StatusLine.h"

class ChartPane;
class ProgressionChart;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QAction;
class QPushButton;
class QUndoStack;
class tarnekBaseListCtrl;

// The main window: the four XP tables with their parameters and fill buttons laid out in
// dialog units on a form; under the form the XP curves and the kills the climb takes (and
// the compile output), then the row of actions (level count, skill tiers, save, compile,
// exit and the rest) and a status line.
// Its editing session holds the configuration for the window's whole life; every
// confirmed change is a step of the undo history made through the session, every control
// that shows the configuration follows the session's announcements, and closing with
// unsaved changes asks first.
class CTarnekChangeLevelDlg final : public DialogBase {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTarnekChangeLevelDlg)

public:
    static constexpr int kXpTables = static_cast<int>(kXpListCount);
    static constexpr int kXpParameters = 2 * kXpTables;

    // Opens the settings database under the current directory and loads it.
    explicit CTarnekChangeLevelDlg(QWidget* parent = nullptr);
    ~CTarnekChangeLevelDlg() override;

    // False after a start that could not open or load the database; then every action
    // that would save is disabled, so the empty model can never overwrite the settings.
    bool initialised() const { return initialised_; }
    // Whether this start made the settings database from the carried copy.
    bool databaseCreated() const;

    // Handlers, public so that the window can be driven without a pointer.
    void OnFillXp(int targetCode);
    void OnCreateLevels();
    void CompilePlugin();
    void OnSkillTier(int tier);
    void OnLink();

    // "Сохранить" and Ctrl+S: the boxes, then the whole configuration and both sources,
    // without compiling. True when the database was written.
    bool SaveConfiguration();
    // The main window's save (its tables and both sources), asking what to do when another
    // program saved in between; the status line then says `what` happened and which files
    // were written. False when nothing was written.
    bool SaveAll(const QString& what = QStringLiteral("Сохранено"));
    bool SaveWith(SaveScope scope, const QString& what = QStringLiteral("Сохранено"));
    // The level-count change after its question and before its save: the texts (count
    // and XP parameters), all 31 lists recomputed as one undo step, the XP grids refilled.
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
    // as one undo step, shown at once; "Сохранить" then stores it whole.
    void ReplaceConfiguration(tarnekArrayStruct configuration, const QString& undoText);

    // What a fill or a level change takes from the window: the eight parameter boxes as they
    // show now, in parameterBox() order.
    std::vector<TextAssignment> InputTexts() const;
    // The eight parameter boxes into the session as they show now, as one undo step.
    void CommitBoxes();
    // An open cell editor's text into the session as Enter would write it.
    void CommitEditor();
    // Makes an edit through the session as one step of the undo history.
    void Push(const QString& text, ConfigurationEditCommand::Make make);
    // Reads the database again when another program changed it and nothing here is unsaved.
    void NoticeOtherPrograms();

    const tarnekArrayStruct& model() const { return session_.configuration(); }
    EditingSession& session() { return session_; }
    SessionSignals& sessionSignals() { return signals_; }
    QUndoStack* undoStack() const { return undo_; }
    tarnekBaseListCtrl* grid(int targetCode) const { return grids_[static_cast<std::size_t>(targetCode)]; }
    // The frame around an XP table's grid, parameters and fill button.
    QGroupBox* xpFrame(int targetCode) const { return xpFrames_[static_cast<std::size_t>(targetCode)]; }
    // In the order of the model's XP parameter texts: increment/multiplier, initial, per table.
    QLineEdit* parameterBox(int i) const { return parameterBoxes_[static_cast<std::size_t>(i)]; }
    QPushButton* fillButton(int targetCode) const { return fillButtons_[static_cast<std::size_t>(targetCode)]; }
    ActionRow* actionRow() const { return actionRow_; }
    QComboBox* levelCombo() const { return actionRow_->levelCombo(); }
    QPushButton* createLevelsButton() const { return actionRow_->button(ActionRow::Button::CreateLevels); }
    QPushButton* skillButton(int tier) const { return actionRow_->skillButton(tier); }
    QPushButton* compileButton() const { return actionRow_->button(ActionRow::Button::Compile); }
    QPushButton* exitButton() const { return actionRow_->button(ActionRow::Button::Exit); }
    QPushButton* saveButton() const { return actionRow_->button(ActionRow::Button::Save); }
    QPushButton* exportButton() const { return actionRow_->button(ActionRow::Button::Export); }
    QPushButton* importButton() const { return actionRow_->button(ActionRow::Button::Import); }
    QPushButton* loadSourcesButton() const { return actionRow_->button(ActionRow::Button::LoadSources); }
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }

    QLabel* link() const { return actionRow_->link(); }

    // The XP tables at their dialog-unit places; it scrolls above the chart pane.
    QWidget* form() const { return form_; }
    // Beside the XP curves in the chart pane (ChartPane::Of), the kills the climb takes.
    ProgressionChart* progression() const { return progression_; }
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
    void BuildChartPane();
    // The heights of the XP tables, the chart and the compile output as the user last
    // dragged them apart.
    void RestoreSplitter();
    void BuildActions();
    bool OnInitDialog();
    void MarkWindowOnFolder();
    void CommitBox(int box);
    void UpdateFillTip(int targetCode);
    // A skill dialog run by `run`, given how the dialog hands back what it changed (one undo
    // step named `step`) and how its "Сохранить" saves.
    void RunSkillDialog(const QString& step, const std::function<void(const SkillDialogHooks&)>& run);
    // What the boxes, the level-count box and the status line show follows every change of
    // the session's configuration.
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
    void FillLevelCombo();
    void SetActionsEnabled(bool enabled);
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

    std::array<tarnekBaseListCtrl*, kXpTables> grids_{};
    std::array<QGroupBox*, kXpTables> xpFrames_{};
    std::array<QLineEdit*, kXpParameters> parameterBoxes_{};
    std::array<QPushButton*, kXpTables> fillButtons_{};
    ActionRow* actionRow_ = nullptr;
    QWidget* form_ = nullptr;
    ChartPane* chartPane_ = nullptr;
    ProgressionChart* progression_ = nullptr;
    QLabel* statusLine_ = nullptr;
};
