#pragma once

#include <ostream>

#include "cli/ExitStatus.h"

#include "cli/DatabaseMessages.h"
#include "cli/StreamMessageSink.h"
#include "session/EditingSession.h"

// One command's session; the database's messages name the tool and the file.
struct CommandSession {
    explicit CommandSession(std::ostream& err)
        : sink(err), messages(sink, [this] { return session.DatabasePath(); }), session(messages)
    {}
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    StreamMessageSink sink;
    DatabaseMessages messages;
    EditingSession session;
};

// Whether a run that has just created the database points at "adopt" when the plugin's
// own sources hold other settings (adopt itself has no need to).
enum class AdoptHint { Show, Omit };

// Opens the database as the editor does; false after the reason was shown. On a first run
// the plugin's own sources are kept as .orig copies when they differ from the carried
// configuration.
bool OpenSession(EditingSession& session, MessageSink& sink, AdoptHint hint = AdoptHint::Show);

// Runs a command's body on an opened session: the exit status is the body's, or failure when
// the database could not be opened (the reason has been shown).
template <class Body>
int InOpenSession(std::ostream& err, Body&& body, AdoptHint hint = AdoptHint::Show)
{
    CommandSession run(err);
    if (!OpenSession(run.session, run.sink, hint))
        return kExitFailed;
    return body(run.sink, run.session);
}
