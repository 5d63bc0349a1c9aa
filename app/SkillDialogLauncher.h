#pragma once

#include <functional>

#include <QString>

#include "model/Descriptors.h"
#include "pluginsrc/GeneratedLines.h"
#include "session/ConfigurationEdit.h"

class EditingSession;
class QWidget;
struct SaveScope;

// Runs the modal dialog of one skill tier (One..Four) on the main window's session; the
// dialog's "Сохранить" saves through `save`. Returns what the dialog left changed in the
// session, for the main window's undo history.
ConfigurationEdit OpenSkillDialog(Tier tier, EditingSession& session, const std::function<bool(SaveScope)>& save,
                                  QWidget* parent);
// The same for the tier that holds the value, with its cell (or the Devotion Aura box)
// selected, as when a compiler line is followed back to it. Nothing for an XP list.
ConfigurationEdit OpenSkillDialogAt(const GeneratedValue& value, EditingSession& session,
                                    const std::function<bool(SaveScope)>& save, QWidget* parent);

// The caption of the skill dialog's band that shows the value; its field name when no band
// shows it.
QString SkillValueTitle(const GeneratedValue& value);
