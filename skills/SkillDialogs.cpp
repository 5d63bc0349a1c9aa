#include "skills/SkillDialogs.h"

#include <stdexcept>

std::unique_ptr<SkillDialog> MakeSkillDialog(Tier tier, EditingSession& session, QWidget* parent)
{
    switch (tier) {
    case Tier::One:
        return std::make_unique<CTarnekSkillDlg_1>(session, parent);
    case Tier::Two:
        return std::make_unique<CTarnekSkillDlg_2>(session, parent);
    case Tier::Three:
        return std::make_unique<CTarnekSkillDlg_3>(session, parent);
    case Tier::Four:
        return std::make_unique<CTarnekSkillDlg_4>(session, parent);
    case Tier::Xp:
        break;
    }
    throw std::invalid_argument("no skill dialog for this tier");
}
