#include "app/SkillDialogLauncher.h"

#include "skills/SkillDialogs.h"
#include "widgets/QtText.h"

namespace {

// `value`: the cell to select, if any.
void RunSkillDialog(Tier tier, EditingSession& session, const SkillDialogHooks& hooks, QWidget* parent,
                    const GeneratedValue* value)
{
    const std::unique_ptr<SkillDialog> dialog = MakeSkillDialog(tier, session, parent);
    dialog->hooks = hooks;
    if (value)
        dialog->SelectValue(value->list, value->level);
    dialog->exec();
}

}  // namespace

void OpenSkillDialog(Tier tier, EditingSession& session, const SkillDialogHooks& hooks, QWidget* parent)
{
    RunSkillDialog(tier, session, hooks, parent, nullptr);
}

namespace {

Tier TierOf(const GeneratedValue& value)
{
    return value.list ? ValueLists()[*value.list].tier : DevotionValue().tier;
}

}  // namespace

void OpenSkillDialogAt(const GeneratedValue& value, EditingSession& session, const SkillDialogHooks& hooks,
                       QWidget* parent)
{
    const Tier tier = TierOf(value);
    if (tier != Tier::Xp)
        RunSkillDialog(tier, session, hooks, parent, &value);
}

QString SkillValueTitle(const GeneratedValue& value)
{
    const Tier tier = TierOf(value);
    if (tier != Tier::Xp) {
        for (const SkillBand& band : SkillTierOf(tier).bands) {
            if (band.code == value.list)
                return ToQString(band.title);
        }
    }
    return ToQString(value.field);
}
