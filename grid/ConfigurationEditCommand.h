#pragma once

#include <functional>

#include <QUndoCommand>

#include "session/ConfigurationEdit.h"

class EditingSession;

// One step of a window's undo history: an edit the session has already applied when the
// command is pushed, taken back by undo and applied again by redo. `shown` brings the
// window's controls up to date after either.
class ConfigurationEditCommand final : public QUndoCommand {
public:
    using Shown = std::function<void(const ConfigurationEdit&)>;

    ConfigurationEditCommand(EditingSession& session, ConfigurationEdit edit, const QString& text, Shown shown);

    void undo() override;
    void redo() override;

private:
    EditingSession& session_;
    ConfigurationEdit edit_;
    Shown shown_;
    bool applied_ = true;  // the push's own redo finds the edit already done
};
