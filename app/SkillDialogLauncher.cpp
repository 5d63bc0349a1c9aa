#include "SkillDialogLauncher.h"

// The skill dialogs are their own library; the main window builds and runs without it.
#if __has_include("SkillDialogs.h")
#include "SkillDialogs.h"
#define TARNEK_SKILL_DIALOGS 1
#endif

void OpenSkillDialog([[maybe_unused]] Tier tier, [[maybe_unused]] tarnekArrayStruct& model,
                     [[maybe_unused]] vloxBuildTarnekStruct& db, [[maybe_unused]] QWidget* parent)
{
#ifdef TARNEK_SKILL_DIALOGS
    RunSkillDialog(tier, model, db, parent);
#endif
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

void OpenSkillDialogAt([[maybe_unused]] const GeneratedValue& value, [[maybe_unused]] tarnekArrayStruct& model,
                       [[maybe_unused]] vloxBuildTarnekStruct& db, [[maybe_unused]] QWidget* parent)
{
#ifdef TARNEK_SKILL_DIALOGS
    const Tier tier = TierOf(value);
    if (tier == Tier::Xp)
        return;
    const std::unique_ptr<SkillDialog> dialog = MakeSkillDialog(tier, model, db, parent);
    dialog->SelectValue(value.list, value.level);
    dialog->exec();
#endif
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
