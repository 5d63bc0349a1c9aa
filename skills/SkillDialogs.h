#pragma once

#include <memory>

#include "skills/SkillDialog.h"

class QWidget;

// The four skill dialogs, one implementation each over its own tier description.
template <Tier T>
class CTarnekSkillDlg final : public SkillDialog {
public:
    explicit CTarnekSkillDlg(EditingSession& session, QWidget* parent = nullptr)
        : SkillDialog(SkillTierOf(T), session, parent)
    {}
};

using CTarnekSkillDlg_1 = CTarnekSkillDlg<Tier::One>;
using CTarnekSkillDlg_2 = CTarnekSkillDlg<Tier::Two>;
using CTarnekSkillDlg_3 = CTarnekSkillDlg<Tier::Three>;
using CTarnekSkillDlg_4 = CTarnekSkillDlg<Tier::Four>;

// The dialog of a skill tier (One..Four), built but not shown; throws std::invalid_argument
// for Tier::Xp.
std::unique_ptr<SkillDialog> MakeSkillDialog(Tier tier, EditingSession& session, QWidget* parent = nullptr);
