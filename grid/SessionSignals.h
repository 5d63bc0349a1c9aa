#pragma once

#include <QObject>

#include "session/EditingSession.h"

// A session's announcements as Qt signals, for the views of one window: its grids'
// models, charts, boxes, caption and status line follow these and nothing else.
// It must go before its session does.
class SessionSignals final : public QObject, private SessionListener {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionSignals)

public:
    explicit SessionSignals(EditingSession& session, QObject* parent = nullptr);
    ~SessionSignals() override;

    EditingSession& session() const { return session_; }
    const tarnekArrayStruct& configuration() const { return session_.configuration(); }
    bool unsaved() const { return unsaved_; }

signals:
    // The working configuration changed where `edit` says; every view that shows part of
    // it reads the session again.
    void changed(const ConfigurationEdit& edit, ChangeCause cause);
    // Whether anything is unsaved flipped, by an edit, an undo, a save or a reload.
    void unsavedChanged(bool unsaved);

private:
    void ConfigurationChanged(const ConfigurationEdit& edit, ChangeCause cause) override;
    void StoredChanged() override;
    void FollowUnsaved();

    EditingSession& session_;
    bool unsaved_ = false;
};
