#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QIcon>

#include "DialogBase.h"
#include "GeneratedLines.h"
#include "MessageBoxSink.h"
#include "tarnekArrayStruct.h"
#include "tarnekCtrlStruct.h"
#include "xpBaseStruct.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class tarnekBaseListCtrl;
class vloxBuildTarnekStruct;

// The main window: the four XP tables with their parameters and fill buttons, the level
// count, the skill-tier buttons, compile and exit. It owns the level model and the settings
// database for its whole life; nothing is saved when it closes.
class CTarnekChangeLevelDlg final : public DialogBase {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTarnekChangeLevelDlg)

public:
    static constexpr int kXpTables = 4;
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

    // Shows a value a compiler line led back to: selects its cell in an XP grid, or opens
    // the skill dialog that holds it with the cell selected.
    void ShowValue(const GeneratedValue& value);
    // How the window names the value's list: an XP table's frame, a skill dialog's band.
    QString ValueTitle(const GeneratedValue& value) const;

    void ReadInputs();
    // The level-count change after its question and before its save: all 31 lists
    // recomputed for the model's count, the XP grids refilled.
    void RecomputeLevels();
    void SaveAll();
    // The count "Создать уровни" would apply: the box's choice, or the configuration's own
    // when the box shows none.
    std::string ChosenLevelCount() const;
    // Every edit of an XP grid (a typed cell, a pasted run) arrives here as one request.
    void EditCells(int targetCode, std::size_t first, std::vector<std::string> texts);
    // Shows the model again after it was replaced: XP grids, level-count box, parameter boxes.
    void ShowModel();
    // Takes a whole configuration from elsewhere (an imported file): shown at once, and
    // saved whole, database in one transaction and then both sources.
    void ReplaceConfiguration(tarnekArrayStruct configuration);

    tarnekArrayStruct& model() { return *model_; }
    tarnekBaseListCtrl* grid(int targetCode) const { return grids_[static_cast<std::size_t>(targetCode)]; }
    // The frame around an XP table's grid, parameters and fill button.
    QGroupBox* xpFrame(int targetCode) const { return xpFrames_[static_cast<std::size_t>(targetCode)]; }
    // In the order of the model's XP parameter texts: increment/multiplier, initial, per table.
    QLineEdit* parameterBox(int i) const { return parameterBoxes_[static_cast<std::size_t>(i)]; }
    QPushButton* fillButton(int targetCode) const { return fillButtons_[static_cast<std::size_t>(targetCode)]; }
    QComboBox* levelCombo() const { return levelCombo_; }
    QPushButton* createLevelsButton() const { return createLevelsButton_; }
    QPushButton* skillButton(int tier) const { return skillButtons_[static_cast<std::size_t>(tier - 1)]; }
    QPushButton* compileButton() const { return compileButton_; }
    QPushButton* exitButton() const { return exitButton_; }
    QLabel* link() const { return link_; }

private:
    void BuildControls();
    bool OnInitDialog();
    void FillLevelCombo();
    void SetActionsEnabled(bool enabled);
    const ValueList& XpListOf(int targetCode) const;
    void RefillGrid(int targetCode);
    void RunSavingAction(const std::function<void()>& action);
    void ShowError(const char* text);
    std::filesystem::path WorkDirectory() const;

    xpBaseStruct writer_;
    tarnekCtrlStruct ctrl_;
    std::unique_ptr<tarnekArrayStruct> model_;
    MessageBoxSink sink_;
    std::unique_ptr<vloxBuildTarnekStruct> db_;
    QIcon icon_;
    bool initialised_ = false;

    std::array<tarnekBaseListCtrl*, kXpTables> grids_{};
    std::array<QGroupBox*, kXpTables> xpFrames_{};
    std::array<QLineEdit*, kXpParameters> parameterBoxes_{};
    std::array<QPushButton*, kXpTables> fillButtons_{};
    std::array<QPushButton*, 4> skillButtons_{};
    QComboBox* levelCombo_ = nullptr;
    QPushButton* createLevelsButton_ = nullptr;
    QPushButton* compileButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QLabel* link_ = nullptr;
};
