#include "Session.h"

#include "AdoptCommand.h"

void Session::DatabaseMessages::Show(const Message& message)
{
    if (message.caption != kApplicationTitle) {
        sink_.Show(message);
        return;
    }
    sink_.Show(Message{message.text, Prefix(), message.icon});
}

std::string Session::DatabaseMessages::Prefix() const
{
    // A report made while the database opens (a damaged file) comes before the path is known.
    if (databasePath_.empty())
        return "tarnek-levels";
    return "tarnek-levels: " + databasePath_.string();
}

Session::Session(StreamMessageSink& sink)
    : sink_(sink), databaseMessages_(sink, databasePath_), database_(databaseMessages_)
{
}

Session::~Session()
{
    database_.CloseDatabase();
}

bool Session::Open(AdoptHint hint)
{
    try {
        const bool opened = database_.OpenDatabase();
        databasePath_ = database_.databasePath;
        if (!opened)
            return false;
        database_.LoadAll(model_);
    } catch (const DatabaseError& e) {
        // The editor's top-level handler shows the engine's own text with a stop icon.
        databasePath_ = database_.databasePath;
        sink_.Show(Message{e.what(), databaseMessages_.Prefix(), MessageIcon::Stop});
        return false;
    }
    if (!database_.OutdatedBackupPath().empty())
        // The editor replaces an outdated database without a word; in a script log the
        // lost settings should at least be findable.
        sink_.Show(Message{"the database had an outdated version and was replaced by the initial one; the old "
                           "file is kept as " + database_.OutdatedBackupPath().string(),
                           "tarnek-levels", MessageIcon::Information});
    model_.DeriveLevelCounts();
    if (database_.CreatedOnOpen())
        KeepOwnSourcesOfAFirstRun(model_, sink_, hint == AdoptHint::Show);
    return true;
}

void Session::SaveAll()
{
    database_.SaveAll(model_, writer_);
}

void Session::SaveOwnedBy(Tier tier)
{
    if (tier == Tier::Xp) {
        SaveAll();
        return;
    }
    database_.SaveTier(tier, model_);
    WriteSources();
}

void Session::SaveEverything()
{
    // Unlike SaveAll, a rolled-back database leaves the sources alone too: the whole
    // replacement then changed nothing.
    if (database_.SaveWholeDatabase(model_))
        WriteSources();
}

bool Session::WriteSources()
{
    // Both are attempted even when the first fails, as in every save.
    const bool baseWritten = writer_.WriteBaseHeader(model_, sink_);
    const bool skillsWritten = writer_.WriteSkillsInclude(model_, sink_);
    return baseWritten && skillsWritten;
}
