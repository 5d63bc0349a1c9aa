#pragma once

#include <QString>

#include "Descriptors.h"
#include "GeneratedLines.h"

class QWidget;
class vloxBuildTarnekStruct;
struct tarnekArrayStruct;

// Runs the modal dialog of one skill tier (One..Four) on the main window's model and
// database. Whatever the dialog returns is of no interest to the main window.
void OpenSkillDialog(Tier tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& db, QWidget* parent);

// Whether this build has the skill dialogs; without them the tier buttons stay disabled.
bool HasSkillDialogs();

// Runs the dialog of the tier that holds the value with its cell (or the Devotion Aura box)
// selected, as when a compiler line is followed back to it. Nothing for an XP list.
void OpenSkillDialogAt(const GeneratedValue& value, tarnekArrayStruct& model, vloxBuildTarnekStruct& db,
                       QWidget* parent);

// The caption of the skill dialog's band that shows the value; its field name without
// the dialogs.
QString SkillValueTitle(const GeneratedValue& value);
