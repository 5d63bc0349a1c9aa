#pragma once

#include <functional>

#include "ConfigurationEdit.h"
#include "Descriptors.h"

class EditingSession;
class QWidget;
struct SaveScope;

// Runs the modal dialog of one skill tier (One..Four) on the main window's session; the
// dialog's "Сохранить" saves through `save`. Returns what the dialog left changed in the
// session (empty without skill dialogs), for the main window's undo history.
ConfigurationEdit OpenSkillDialog(Tier tier, EditingSession& session, const std::function<bool(SaveScope)>& save,
                                  QWidget* parent);

// Whether this build has the skill dialogs; without them the tier buttons stay disabled.
bool HasSkillDialogs();
