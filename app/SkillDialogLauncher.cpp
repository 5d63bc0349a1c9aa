#include "SkillDialogLauncher.h"

// The skill dialogs are their own library; the main window builds and runs without it.
#if __has_include("SkillDialogs.h")
#include "SkillDialogs.h"
#define TARNEK_SKILL_DIALOGS 1
#endif

namespace {

// `value`: the cell to select, if any.
ConfigurationEdit RunSkillDialog([[maybe_unused]] Tier tier, [[maybe_unused]] EditingSession& session,
                                 [[maybe_unused]] const std::function<bool(SaveScope)>& save,
                                 [[maybe_unused]] QWidget* parent, [[maybe_unused]] const GeneratedValue* value)
{
#ifdef TARNEK_SKILL_DIALOGS
    const std::unique_ptr<SkillDialog> dialog = MakeSkillDialog(tier, session, parent);
    dialog->save = save;
    if (value)
        dialog->SelectValue(value->list, value->level);
    dialog->exec();
    return dialog->applied();
#else
    return {};
#endif
}

}  // namespace

ConfigurationEdit OpenSkillDialog(Tier tier, EditingSession& session, const std::function<bool(SaveScope)>& save,
                                  QWidget* parent)
{
    return RunSkillDialog(tier, session, save, parent, nullptr);
}

bool HasSkillDialogs()
{
#ifdef TARNEK_SKILL_DIALOGS
    return true;
#else
    return false;
#endif
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
#ifdef TARNEK_SKILL_DIALOGS
    const Tier tier = TierOf(value);
    if (tier != Tier::Xp) {
        for (const SkillBand& band : SkillTierOf(tier).bands) {
            if (band.code == value.list)
                return QString::fromUtf8(band.title.data(), static_cast<qsizetype>(band.title.size()));
        }
    }
#endif
    return QString::fromUtf8(value.field.data(), static_cast<qsizetype>(value.field.size()));
}
