#include "SkillDialogLauncher.h"

// The skill-tier dialogs are not part of this build yet; the buttons stay connected here.
void OpenSkillDialog(Tier, tarnekArrayStruct&, vloxBuildTarnekStruct&, xpBaseStruct&, QWidget*) {}
