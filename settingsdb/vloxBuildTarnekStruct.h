#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/Descriptors.h"
#include "model/MessageSink.h"
#include "model/ValueList.h"
#include "model/tarnekArrayStruct.h"

namespace SQLite {
class Database;
class Transaction;
}

// A failed connection or read, carrying the engine's own message text.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Caption of the warning a failed database write shows.
inline constexpr std::string_view kApplicationTitle = "TarnekChangeLevel";

// The version text a current settings database holds in "Версия"."Версия".
inline constexpr std::string_view kDatabaseVersion = "3.0";

// The settings database TarnekChangeLevelDatabase/TarnekChangeLevel.mdb under the current
// directory (an SQLite file), created from the carried copy when missing.
//
// Reads throw DatabaseError. Writes never throw: each write operation is one transaction
// (or, inside a write transaction begun here, a savepoint of it), and a failure rolls it
// back whole and shows the engine's message as a warning through the sink; the operation
// then returns false. Plain storage: the plugin sources are the editing session's business.
class vloxBuildTarnekStruct {
public:
    explicit vloxBuildTarnekStruct(MessageSink& sink);
    ~vloxBuildTarnekStruct();
    vloxBuildTarnekStruct(const vloxBuildTarnekStruct&) = delete;
    vloxBuildTarnekStruct& operator=(const vloxBuildTarnekStruct&) = delete;

    // Writes the carried database to databasePath unless a file is there (another run may
    // have created it a moment ago, and may already have saved into it). A failure is shown
    // with the system's error code and gives false.
    bool ExtractDatabase();
    // Connects to databasePath, extracting the carried copy first when no file is there;
    // an existing file is never replaced here. False when the folder or the file could not
    // be created (already shown); throws DatabaseError when the path is a symbolic link
    // that leads nowhere, or the file is no usable database or stays locked. A database
    // that fails SQLite's quick check is reported and opened for reading only.
    bool OpenDatabase();
    bool CloseDatabase();
    bool IsOpen() const;
    // The open database failed its check: every save refuses with a message.
    bool IsReadOnly() const { return readOnly_; }

    std::string SelectFirstValue(const std::string& table, const std::string& column);  // throws
    // Appends every row's value, in stored order.
    void SelectColumn(const std::string& table, const std::string& column, ValueList& list);  // throws

    // Sets the column in every row of the table (the one row of a one-row table).
    bool UpdateValue(const std::string& table, const std::string& column, const std::string& value);
    bool DeleteAllRows(const std::string& table);

    // Version check (an outdated file is kept as a backup and replaced by the carried
    // copy), then every list and single value. The model is changed only when every read
    // succeeded; the level counts are left for the caller to derive.
    void LoadAll(tarnekArrayStruct& model);  // throws DatabaseError

    // The main window's save: the five per-level tables, the level count and the XP
    // parameters. True when committed.
    bool SaveDatabase(const tarnekArrayStruct& model);
    // The save of a skill dialog (tier 1..4): its per-level table and its parameters, one
    // transaction. Tier::Xp saves the XP table, the XP parameters and the level count.
    void SaveTier(Tier tier, const tarnekArrayStruct& model);
    bool SaveTierDatabase(Tier tier, const tarnekArrayStruct& model);  // SaveTier with its result
    // Every per-level table and every single value of every tier (the chances normalised
    // as a skill dialog's save writes them), one transaction: what replacing the whole
    // configuration needs. True when committed.
    bool SaveWholeDatabase(const tarnekArrayStruct& model);

    // Whether the last OpenDatabase found no database file and made one from the carried
    // copy: the first start in this folder.
    bool CreatedOnOpen() const { return createdOnOpen_; }
    // Where the last OpenDatabase set the earlier editor's Access file aside; empty when
    // there was none.
    const std::filesystem::path& AccessDatabaseKeptAs() const { return accessDatabaseKeptAs_; }

    // A write transaction that takes the write lock at once, so that what is read inside
    // it stays what is stored until CommitWrite; the writes above then become savepoints
    // of it. BeginWrite throws DatabaseError (locked, no connection); CommitWrite shows a
    // failure as the writes do and gives false; RollbackWrite never fails.
    void BeginWrite();
    bool CommitWrite();
    void RollbackWrite();
    bool InWrite() const { return writeTransaction_ != nullptr; }

    // Changes whenever another connection commits to the file (never for this one's own
    // commits): a cheap way to learn that someone else saved.
    std::int64_t DataVersion();  // throws DatabaseError

    // Where the last version check kept the outdated database; empty when none was replaced.
    const std::filesystem::path& OutdatedBackupPath() const { return outdatedBackupPath_; }

    std::filesystem::path databasePath;
    // How long a statement waits for another program's lock before it fails with
    // "database is locked".
    int busyTimeoutMs = 2000;

private:
    // The steps of OpenDatabase, in order.
    bool LocateDatabase();
    void RefuseUnreachableLinks() const;
    bool CreateMissingDatabase();
    void Connect(int openFlags);
    void CheckIntegrity();

    SQLite::Database& Connection();
    template <class Statements>
    bool WriteInTransaction(Statements&& statements);
    bool HasCurrentVersion();
    void ReplaceOutdatedDatabase();
    // Before SQLite sees the file: an Access file is set aside (and said so); notes whether
    // a database file is there at all. False when one could not be set aside (shown).
    bool SetAsideEarlierEditorsDatabase();
    void KeepOutdatedCopy();
    void WriteCarriedDatabaseInPlace();

    MessageSink& sink_;
    std::unique_ptr<SQLite::Database> database_;
    std::unique_ptr<SQLite::Transaction> writeTransaction_;
    std::filesystem::path outdatedBackupPath_;
    std::filesystem::path accessDatabaseKeptAs_;
    bool createdOnOpen_ = false;
    bool readOnly_ = false;
};
