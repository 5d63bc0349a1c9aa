#include "cli/CommandSession.h"

#include "cli/AdoptCommand.h"

bool OpenSession(EditingSession& session, MessageSink& sink, AdoptHint hint)
{
    if (!session.Open())
        return false;
    // The editor replaces an outdated database without a word, but in a script log the
    // lost settings should at least be findable.
    if (!session.OutdatedBackupPath().empty())
        sink.Show(Message{"the database had an outdated version and was replaced by the initial one; the old "
                          "file is kept as " +
                              session.OutdatedBackupPath().string(),
                          "tarnek-levels", MessageIcon::Information});
    if (session.CreatedOnOpen())
        KeepOwnSourcesOfAFirstRun(session.configuration(), sink, hint == AdoptHint::Show);
    return true;
}
