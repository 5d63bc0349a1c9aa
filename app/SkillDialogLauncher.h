#pragma once

#include "Descriptors.h"

class QWidget;
class vloxBuildTarnekStruct;
struct tarnekArrayStruct;

// Runs the modal dialog of one skill tier (One..Four) on the main window's model and
// database. Whatever the dialog returns is of no interest to the main window.
void OpenSkillDialog(Tier tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& db, QWidget* parent);

// Whether this build has the skill dialogs; without them the tier buttons stay disabled.
bool HasSkillDialogs();
