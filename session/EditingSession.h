#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/Descriptors.h"
#include "model/MessageSink.h"
#include "model/tarnekArrayStruct.h"
#include "pluginsrc/xpBaseStruct.h"
#include "session/ConfigurationEdit.h"
#include "settingsdb/DatabaseLock.h"
#include "settingsdb/vloxBuildTarnekStruct.h"

// What one save writes into the database, and whether both plugin sources follow.
struct SaveScope {
    enum class Tables : std::int8_t {
        MainWindow,  // the five per-level tables, the level count and the XP parameters
        OneTier,     // a skill dialog's "Сохранить": its table and its parameters
        Everything,  // every table and every single value
    };
    Tables tables = Tables::MainWindow;
    Tier tier = Tier::Xp;
    bool sources = true;
    // The sources from what the database holds after the commit rather than from the
    // working configuration, whose other edits this save leaves unsaved.
    bool sourcesFromStored = false;

    static SaveScope MainWindow() { return {}; }
    static SaveScope OfTier(Tier tier, bool sources) { return {Tables::OneTier, tier, sources}; }
    // A skill dialog's "Сохранить": its tier, then both sources as the database now is.
    static SaveScope OfDialogTier(Tier tier) { return {Tables::OneTier, tier, true, true}; }
    static SaveScope Everything() { return {Tables::Everything, Tier::Xp, true}; }
};

enum class SaveOutcome : std::int8_t {
    Saved,     // committed; the flags say which files followed
    Conflict,  // another program changed the database since this session read it: nothing written
    Failed,    // nothing committed and no source written; the reason has been shown
};

struct SaveReport {
    SaveOutcome outcome = SaveOutcome::Failed;
    bool database = false;
    bool baseHeader = false;
    bool skillsInclude = false;
};

enum class OnConflict : std::int8_t { Refuse, Overwrite };

using TextAssignment = std::pair<TextField, std::string>;

// Why the working configuration changed.
enum class ChangeCause : std::int8_t {
    Edit,       // an edit made
    Undo,       // an edit taken back
    Redo,       // an edit taken back made again
    ReadAgain,  // the database was read again, dropping whatever was unsaved
};

// Told of every change of a session, so that whatever shows the configuration follows the
// session rather than the actions that changed it.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // The working configuration changed where `edit` says (lists and cells, texts, level
    // counts); the values are the session's. An edit that changed nothing is not told; a
    // reread of the database always is.
    virtual void ConfigurationChanged(const ConfigurationEdit& edit, ChangeCause cause) = 0;
    // A save committed: what counts as unsaved may have changed.
    virtual void StoredChanged() = 0;
};

// The one path from an edit to the database and the plugin sources, for the windows and
// the headless tool alike. It holds the working configuration and what the database held
// when it last read or wrote it; every edit is applied at once and handed back as a value
// that Apply and Revert replay, which is all an undo history needs.
//
// Every save takes the lock file beside the database, then the database's write lock,
// writes, commits and writes the sources before letting either go, so another program
// never sees the database from one configuration and a source from another.
class EditingSession final {
public:
    explicit EditingSession(MessageSink& sink);
    // A scoped copy of `configuration` with no database: a dialog edits it with the same
    // edits and undo history, then hands the result to the session it came from. It never
    // saves, and unsaved means changed since the copy was taken.
    EditingSession(MessageSink& sink, const tarnekArrayStruct& configuration);
    ~EditingSession();
    EditingSession(const EditingSession&) = delete;
    EditingSession& operator=(const EditingSession&) = delete;

    // Opens the database under the current directory (extracting the carried copy when
    // missing, replacing an outdated one) and reads it; false after the reason was shown.
    bool Open();
    bool IsOpen() const;
    const std::filesystem::path& DatabasePath() const { return database_.databasePath; }
    const std::filesystem::path& OutdatedBackupPath() const { return database_.OutdatedBackupPath(); }
    // Whether Open found no database and made one from the carried copy: a first start here.
    bool CreatedOnOpen() const { return database_.CreatedOnOpen(); }

    const tarnekArrayStruct& configuration() const { return working_; }
    // Whether the working configuration differs from what this session last found stored.
    bool IsUnsaved() const;

    // Every change is told to each listener, in the order they were added; a listener
    // must be removed before it goes.
    void AddListener(SessionListener* listener);
    void RemoveListener(SessionListener* listener);

    // Edits. Each changes the working configuration at once and returns what it did; an
    // edit that changed nothing is empty.
    // Cells from `first`; texts past the list's end are dropped.
    ConfigurationEdit SetCells(std::size_t list, std::size_t first, std::vector<std::string> texts);
    ConfigurationEdit SetTexts(const std::vector<TextAssignment>& texts);
    // A fill button: the window's boxes first, then the list's own rule over the level
    // count of the level-count text (the skill levels stay as they were).
    ConfigurationEdit Fill(std::size_t list, const std::vector<TextAssignment>& texts);
    // The level-count change: the texts (count and XP parameters), then every list anew.
    ConfigurationEdit ChangeLevelCount(const std::vector<TextAssignment>& texts);
    ConfigurationEdit Replace(const tarnekArrayStruct& configuration);
    void Apply(const ConfigurationEdit& edit);
    void Revert(const ConfigurationEdit& edit);

    // Saves the working configuration. With OnConflict::Refuse nothing is written when
    // the database no longer holds what this session last read or wrote.
    SaveReport Save(SaveScope scope, OnConflict onConflict = OnConflict::Refuse);
    // Read, change and write in one write transaction, as a command of the headless tool
    // does: the change runs on what is stored at that moment. A change that returns false
    // writes nothing (its reason is the caller's to tell).
    SaveReport Update(SaveScope scope, const std::function<bool(EditingSession&)>& change);
    // Both sources from what is stored, read under the lock; false when either failed.
    bool WriteStoredSources();
    // Reads the database again, dropping whatever was unsaved; false after the reason was shown.
    bool Reload();
    // Whether another program committed to the database since this session read or wrote it.
    bool ChangedElsewhere();

    // How long a save waits for another program's save to end.
    std::chrono::milliseconds lockWait{20000};

private:
    bool TakeLock(std::optional<DatabaseLock>& lock);
    bool BeginLockedWrite(std::optional<DatabaseLock>& lock);
    // Rewrites both sources from the database when a save was cut off between its commit
    // and its last source; false only when the lock could not be had or the read failed.
    bool FinishInterruptedSave();
    // Inside an open write or on its own; failures are shown.
    std::optional<tarnekArrayStruct> ReadDatabase();
    bool ReadStored();
    bool WriteTables(const SaveScope& scope);
    void WriteSources(const tarnekArrayStruct& model, SaveReport& report);
    SaveReport Finish(const SaveScope& scope, std::optional<DatabaseLock>& lock);
    void RememberDataVersion();
    ConfigurationEdit Change(const std::function<void(tarnekArrayStruct&)>& change);
    ConfigurationEdit Unchanged() const;
    void Announce(const ConfigurationEdit& edit, ChangeCause cause);
    void AnnounceStored();
    void Tell(const std::function<void(SessionListener&)>& tell);
    // The working configuration becomes what was last read, dropping whatever was unsaved.
    void TakeStored();
    // False after the first refused text was shown.
    bool Admitted(const ConfigurationEdit& edit);

    MessageSink& sink_;
    vloxBuildTarnekStruct database_;
    xpBaseStruct writer_;
    tarnekArrayStruct working_;
    tarnekArrayStruct stored_;
    std::int64_t dataVersion_ = 0;
    std::vector<SessionListener*> listeners_;
};

// Whether `working` would be stored as `stored`: lists and texts equal, a chance text also
// when its normalised form is what the database holds.
bool StoredAs(const tarnekArrayStruct& working, const tarnekArrayStruct& stored);
