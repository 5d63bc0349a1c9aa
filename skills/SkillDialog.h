#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "ConfigurationEdit.h"
#include "DialogBase.h"
#include "EditingSession.h"
#include "SkillTiers.h"
#include "tarnekCtrlStruct.h"

class QAction;
class QLineEdit;
class QPushButton;
class QUndoStack;
class tarnekBaseListCtrl;

// One skill tier's dialog, built from its description. It works on a copy of the
// session's configuration: a fill changes the copy and its grid at once, a confirmed cell
// stays in its grid, and undo/redo inside the dialog take back either. "Сохранить" puts
// grids and boxes into the session and saves the tier; "Отмена" hands the session only
// what the fills produced (with the boxes as they stood at each fill).
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
    const tarnekArrayStruct& draft() const { return model_; }

    // How "Сохранить" saves the tier; by default straight through the session.
    std::function<bool(SaveScope)> save;
    // What the dialog changed in the session when it closed.
    const ConfigurationEdit& applied() const { return applied_; }

    // The fill button of a band: every box into the model, the band's list regenerated
    // by its own rule, the grid refilled. The database is not touched.
    void Fill(std::size_t band);
    // "Сохранить": boxes and grids into the model, the tier into the database, close.
    void Save();

    void done(int result) override;

private:
    void BuildBands();
    void BuildButtons();
    void SetTabOrder();
    void ReadBoxes();
    void ReadGrids();
    void ShowList(std::size_t band);
    void BuildActions();
    void UpdateFillTips();
    void SetCell(int targetCode, int column, const QString& text);
    tarnekBaseListCtrl* GridOfCode(int targetCode) const;

    const SkillTier& tier_;
    EditingSession& session_;
    tarnekArrayStruct model_;  // the dialog's copy
    ConfigurationEdit applied_;
    QUndoStack* undo_ = nullptr;
    bool replaying_ = false;
    tarnekCtrlStruct table_;
    std::vector<tarnekBaseListCtrl*> grids_;
    std::vector<QPushButton*> fillButtons_;
    std::vector<QLineEdit*> boxes_;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
