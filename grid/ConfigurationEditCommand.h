#pragma once

#include <functional>

#include <QUndoCommand>

#include "session/ConfigurationEdit.h"

class EditingSession;
class QUndoStack;

// One step of a window's undo history. Its first redo makes the edit through the session;
// undo takes it back and a later redo applies it again. It changes the session and nothing
// more: the views follow the session's announcements. An edit that changed nothing (or was
// refused) leaves no step.
class ConfigurationEditCommand : public QUndoCommand {
public:
    using Make = std::function<ConfigurationEdit(EditingSession&)>;

    ConfigurationEditCommand(EditingSession& session, const QString& text, Make make);

    const ConfigurationEdit& edit() const { return edit_; }

    void undo() override;
    void redo() override;

private:
    EditingSession& session_;
    Make make_;
    ConfigurationEdit edit_;
};

// Makes the edit as a step of `stack`.
void PushEdit(QUndoStack& stack, EditingSession& session, const QString& text, ConfigurationEditCommand::Make make);
