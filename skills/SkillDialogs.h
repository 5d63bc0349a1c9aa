#pragma once

#include <memory>

#include "SkillDialog.h"

class QWidget;
class vloxBuildTarnekStruct;

// The four skill dialogs, one implementation each over its own tier description.
template <Tier T>
class CTarnekSkillDlg final : public SkillDialog {
public:
    CTarnekSkillDlg(tarnekArrayStruct& model, vloxBuildTarnekStruct& database, QWidget* parent = nullptr)
        : SkillDialog(SkillTierOf(T), model, database, parent) {}
};

using CTarnekSkillDlg_1 = CTarnekSkillDlg<Tier::One>;
using CTarnekSkillDlg_2 = CTarnekSkillDlg<Tier::Two>;
using CTarnekSkillDlg_3 = CTarnekSkillDlg<Tier::Three>;
using CTarnekSkillDlg_4 = CTarnekSkillDlg<Tier::Four>;

// The dialog of a skill tier (One..Four), built but not shown; throws std::invalid_argument
// for Tier::Xp.
std::unique_ptr<SkillDialog> MakeSkillDialog(Tier tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& database,
                                             QWidget* parent = nullptr);

// What the main window's buttons "Скилы 1 уровня" .. "Скилы 4 уровня" do: run the tier's
// dialog modally on the one model and database object. Returns the dialog's result.
int RunSkillDialog(Tier tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& database, QWidget* parent);
