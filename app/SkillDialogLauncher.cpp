#include "app/SkillDialogLauncher.h"

#include "skills/SkillDialogs.h"
#include "widgets/QtText.h"

namespace {

// `value`: the cell to select, if any.
ConfigurationEdit RunSkillDialog(Tier tier, EditingSession& session, const std::function<bool(SaveScope)>& save,
                                 QWidget* parent, const GeneratedValue* value)
{
    const std::unique_ptr<SkillDialog> dialog = MakeSkillDialog(tier, session, parent);
    dialog->save = save;
    if (value)
        dialog->SelectValue(value->list, value->level);
    dialog->exec();
    return dialog->applied();
}

}  // namespace

ConfigurationEdit OpenSkillDialog(Tier tier, EditingSession& session, const std::function<bool(SaveScope)>& save,
                                  QWidget* parent)
{
    return RunSkillDialog(tier, session, save, parent, nullptr);
}

namespace {

Tier TierOf(const GeneratedValue& value)
{
    return value.list ? ValueLists()[*value.list].tier : DevotionValue().tier;
}

}  // namespace

ConfigurationEdit OpenSkillDialogAt(const GeneratedValue& value, EditingSession& session,
                                    const std::function<bool(SaveScope)>& save, QWidget* parent)
{
    const Tier tier = TierOf(value);
    if (tier == Tier::Xp)
        return {};
    return RunSkillDialog(tier, session, save, parent, &value);
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
