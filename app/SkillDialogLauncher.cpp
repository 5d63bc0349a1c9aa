#include "SkillDialogLauncher.h"

// The skill dialogs are their own library; the main window builds and runs without it.
#if __has_include("SkillDialogs.h")
#include "SkillDialogs.h"
#define TARNEK_SKILL_DIALOGS 1
#endif

ConfigurationEdit OpenSkillDialog([[maybe_unused]] Tier tier, [[maybe_unused]] EditingSession& session,
                                  [[maybe_unused]] const std::function<bool(SaveScope)>& save,
                                  [[maybe_unused]] QWidget* parent)
{
#ifdef TARNEK_SKILL_DIALOGS
    const std::unique_ptr<SkillDialog> dialog = MakeSkillDialog(tier, session, parent);
    dialog->save = save;
    dialog->exec();
    return dialog->applied();
#else
    return {};
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
