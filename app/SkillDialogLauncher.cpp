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
