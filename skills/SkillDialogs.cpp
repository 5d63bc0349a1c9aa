#include "SkillDialogs.h"

#include <stdexcept>

std::unique_ptr<SkillDialog> MakeSkillDialog(Tier tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& database,
                                             QWidget* parent) {
    switch (tier) {
    case Tier::One:
        return std::make_unique<CTarnekSkillDlg_1>(model, database, parent);
    case Tier::Two:
        return std::make_unique<CTarnekSkillDlg_2>(model, database, parent);
    case Tier::Three:
        return std::make_unique<CTarnekSkillDlg_3>(model, database, parent);
    case Tier::Four:
        return std::make_unique<CTarnekSkillDlg_4>(model, database, parent);
    case Tier::Xp:
        break;
    }
    throw std::invalid_argument("no skill dialog for this tier");
}

int RunSkillDialog(Tier tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& database, QWidget* parent) {
    const std::unique_ptr<SkillDialog> dialog = MakeSkillDialog(tier, model, database, parent);
    return dialog->exec();
}
