#include "grid/ConfigurationEditCommand.h"

#include "session/EditingSession.h"

ConfigurationEditCommand::ConfigurationEditCommand(EditingSession& session, ConfigurationEdit edit, const QString& text,
                                                   Shown shown)
    : QUndoCommand(text), session_(session), edit_(std::move(edit)), shown_(std::move(shown))
{}

void ConfigurationEditCommand::undo()
{
    session_.Revert(edit_);
    applied_ = false;
    if (shown_)
        shown_(edit_);
}

void ConfigurationEditCommand::redo()
{
    if (applied_)
        return;
    session_.Apply(edit_);
    applied_ = true;
    if (shown_)
        shown_(edit_);
}
