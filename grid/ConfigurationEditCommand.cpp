#include "grid/ConfigurationEditCommand.h"

#include <QUndoStack>

#include "session/EditingSession.h"

ConfigurationEditCommand::ConfigurationEditCommand(EditingSession& session, const QString& text, Make make)
    : QUndoCommand(text), session_(session), make_(std::move(make))
{}

void ConfigurationEditCommand::undo()
{
    session_.Revert(edit_);
}

void ConfigurationEditCommand::redo()
{
    if (!make_) {
        session_.Apply(edit_);
        return;
    }
    edit_ = make_(session_);
    make_ = nullptr;
    // The stack drops a command made obsolete by its first redo.
    setObsolete(edit_.empty());
}

void PushEdit(QUndoStack& stack, EditingSession& session, const QString& text, ConfigurationEditCommand::Make make)
{
    stack.push(new ConfigurationEditCommand(session, text, std::move(make)));
}
