#include "grid/SessionSignals.h"

SessionSignals::SessionSignals(EditingSession& session, QObject* parent)
    : QObject(parent), session_(session), unsaved_(session.IsUnsaved())
{
    session_.AddListener(this);
}

SessionSignals::~SessionSignals()
{
    session_.RemoveListener(this);
}

void SessionSignals::ConfigurationChanged(const ConfigurationEdit& edit, ChangeCause cause)
{
    emit changed(edit, cause);
    FollowUnsaved();
}

void SessionSignals::StoredChanged()
{
    FollowUnsaved();
}

void SessionSignals::FollowUnsaved()
{
    const bool unsaved = session_.IsUnsaved();
    if (unsaved == unsaved_)
        return;
    unsaved_ = unsaved;
    emit unsavedChanged(unsaved);
}
