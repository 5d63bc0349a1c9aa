#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "SkillTiers.h"
#include "tarnekCtrlStruct.h"

class QLineEdit;
class QPushButton;
class tarnekBaseListCtrl;
class vloxBuildTarnekStruct;

// One skill tier's dialog, built from its description. It works on the main window's
// model and database object directly: a fill changes the model and its grid at once,
// "Сохранить" writes the tier, and nothing is copied back when the dialog closes. Cell
// edits go into a draft of the configuration that only "Сохранить" copies into the model,
// so that "Отмена" discards them.
class SkillDialog : public DialogBase {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SkillDialog)

public:
    SkillDialog(const SkillTier& tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& database,
                QWidget* parent = nullptr);
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

    // The fill button of a band: every box into the model, the band's list regenerated
    // by its own rule, the grid refilled. The database is not touched.
    void Fill(std::size_t band);
    // Selects the cell of list `list` (an index in ValueLists()) at `level`, or with no list
    // the Devotion Aura box, when this tier holds it.
    void SelectValue(std::optional<std::size_t> list, std::size_t level);
    // "Сохранить": the boxes and the draft's lists of the tier into the model, the tier
    // into the database, close.
    void Save();

    void done(int result) override;

private:
    void BuildBands();
    void BuildButtons();
    void SetTabOrder();
    void ReadBoxes();
    // Every edit of one of the dialog's grids arrives here as one request.
    void EditCells(std::size_t code, std::size_t first, std::vector<std::string> texts);
    void ShowList(std::size_t band);

    const SkillTier& tier_;
    tarnekArrayStruct& model_;
    vloxBuildTarnekStruct& database_;
    tarnekArrayStruct draft_;  // the grids' lists while the dialog is open
    tarnekCtrlStruct table_;
    std::vector<tarnekBaseListCtrl*> grids_;
    std::vector<QPushButton*> fillButtons_;
    std::vector<QLineEdit*> boxes_;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
