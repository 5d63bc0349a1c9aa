#pragma once

#include <QString>

#include "model/Descriptors.h"
#include "pluginsrc/GeneratedLines.h"

class EditingSession;
class QWidget;
struct SkillDialogHooks;

// Runs the modal dialog of one skill tier (One..Four) on the main window's session; the
// dialog hands back what it changed and saves through `hooks`.
void OpenSkillDialog(Tier tier, EditingSession& session, const SkillDialogHooks& hooks, QWidget* parent);
// The same for the tier that holds the value, with its cell (or the Devotion Aura box)
// selected, as when a compiler line is followed back to it. Nothing for an XP list.
void OpenSkillDialogAt(const GeneratedValue& value, EditingSession& session, const SkillDialogHooks& hooks,
                       QWidget* parent);

// The caption of the skill dialog's band that shows the value; its field name when no band
// shows it.
QString SkillValueTitle(const GeneratedValue& value);
