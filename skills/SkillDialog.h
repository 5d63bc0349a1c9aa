#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "grid/ValueListModel.h"
#include "grid/tarnekCtrlStruct.h"
#include "session/ConfigurationEdit.h"
#include "session/EditingSession.h"
#include "skills/SkillTiers.h"
#include "widgets/DialogBase.h"

class ChartPane;
class QAction;
class QLineEdit;
class QPushButton;
class QUndoStack;
class tarnekBaseListCtrl;

// One skill tier's dialog, built from its description: its bands over one chart for the
// band under the mouse or the grid that has the focus, a switch to hide the chart
// (remembered), and a status line for values a paste dropped. It works on a copy of the
// session's configuration: a fill changes the copy and its grid at once; cell edits go
// into a draft of the grids' lists; undo/redo inside the dialog take back either.
// "Сохранить" puts the draft and the boxes into the session and saves the tier; "Отмена"
// hands the session only what the fills produced (with the boxes as they stood at each
// fill), so that cell edits are discarded.
class SkillDialog : public DialogBase {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SkillDialog)

public:
    SkillDialog(const SkillTier& tier, EditingSession& session, QWidget* parent = nullptr);
    ~SkillDialog() override;

    const SkillTier& tier() const { return tier_; }
    tarnekCtrlStruct& controlTable() { return table_; }

    // By band; null for the band without a grid.
    tarnekBaseListCtrl* grid(std::size_t band) const { return grids_.at(band); }
    QPushButton* fillButton(std::size_t band) const { return fillButtons_.at(band); }
    // In the description's box order.
    QLineEdit* parameterBox(std::size_t box) const { return boxes_.at(box); }
    QLineEdit* parameterBox(TextField text) const;
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }
    QUndoStack* undoStack() const { return undo_; }
    // What "Отмена" would hand the session: the fills and the boxes they read.
    const tarnekArrayStruct& kept() const { return model_; }

    // How "Сохранить" saves the tier; by default straight through the session.
    std::function<bool(SaveScope)> save;
    // What the dialog changed in the session when it closed.
    const ConfigurationEdit& applied() const { return applied_; }

    // The fill button of a band: every box into the model, the band's list regenerated
    // by its own rule, the grid refilled. The database is not touched.
    void Fill(std::size_t band);
    // Selects the cell of list `list` (an index in ValueLists()) at `level`, or with no list
    // the Devotion Aura box, when this tier holds it.
    void SelectValue(std::optional<std::size_t> list, std::size_t level);
    // "Сохранить": the boxes and the draft's lists of the tier into the model, the tier
    // into the database and both sources from what it then holds, close.
    void Save();

    void done(int result) override;

private:
    void BuildBands();
    void BuildChartPane();
    // As tall as the bands and the chart want, as far as the screen allows.
    void FitToScreen();
    void BuildButtons();
    void SetTabOrder();
    void ReadBoxes();
    // Every edit of one of the dialog's grids arrives here as one request.
    void EditCells(std::size_t code, std::size_t first, std::vector<std::string> texts, CellEdit kind);
    void ShowList(std::size_t band);
    void BuildActions();
    void UpdateFillTips();

    const SkillTier& tier_;
    EditingSession& session_;
    tarnekArrayStruct model_;  // the dialog's copy: the fills and the boxes they read
    tarnekArrayStruct draft_;  // the grids' lists while the dialog is open
    ConfigurationEdit applied_;
    QUndoStack* undo_ = nullptr;
    tarnekCtrlStruct table_;
    std::vector<tarnekBaseListCtrl*> grids_;
    std::vector<QPushButton*> fillButtons_;
    std::vector<QLineEdit*> boxes_;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QWidget* bands_ = nullptr;
    ChartPane* chartPane_ = nullptr;
};
