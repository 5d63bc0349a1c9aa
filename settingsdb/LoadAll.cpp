#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include <sqlite3.h>

#include <SQLiteCpp/Backup.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Transaction.h>

#include "pluginsrc/SystemFile.h"
#include "settingsdb/CarriedDatabase.h"
#include "settingsdb/DatabaseFileWrite.h"
#include "settingsdb/DatabaseLocation.h"
#include "settingsdb/Statements.h"
#include "settingsdb/vloxBuildTarnekStruct.h"

namespace {

const std::string kVersionTable = "Версия";
const std::string kVersionColumn = "Версия";

}  // namespace

bool vloxBuildTarnekStruct::HasCurrentVersion()
{
    return SelectFirstValue(kVersionTable, kVersionColumn) == kDatabaseVersion;
}

// The outdated file is copied, not moved: another run may hold a connection to it, and a
// connection to a file moved away takes the journal of whatever database then stands at
// the old name for one of its own, rolls it into the moved file and deletes it under the
// run that is writing there.
void vloxBuildTarnekStruct::KeepOutdatedCopy()
{
    const std::filesystem::path backup = FreeBackupPath(databasePath);
    const auto fail = [&](const std::string& reason) {
        throw DatabaseError("Не удалось сохранить копию устаревшей базы данных " + databasePath.string() + " (" +
                            backup.filename().string() + "): " + reason);
    };
    if (backup.empty())
        fail(std::make_error_code(std::errc::file_exists).message());
    try {
        // The read transaction keeps every writer off while the bytes are copied.
        SQLite::Transaction reading(Connection(), SQLite::TransactionBehavior::DEFERRED);
        Connection().execAndGet("SELECT count(*) FROM sqlite_schema");
        std::ifstream in(databasePath, std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof())
            fail(std::system_category().message(errno));
        if (const auto created = CreateDatabaseFile(backup, bytes); !created)
            fail(std::system_category().message(created.failure().code));
        reading.commit();
    } catch (const SQLite::Exception& e) {
        fail(e.what());
    }
    outdatedBackupPath_ = backup;
}

// Page by page through the connection, in one transaction of the file itself: every run's
// connection keeps pointing at the one file and sees the carried database once it commits.
void vloxBuildTarnekStruct::WriteCarriedDatabaseInPlace()
{
    try {
        SQLite::Database carried(":memory:", SQLite::OPEN_READWRITE);
        const std::span<const unsigned char> bytes = CarriedDatabase();
        auto* buffer = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size()));
        if (buffer == nullptr)
            throw DatabaseError("out of memory");
        std::memcpy(buffer, bytes.data(), bytes.size());
        const int rc = sqlite3_deserialize(
            carried.getHandle(), "main", buffer, static_cast<sqlite3_int64>(bytes.size()),
            static_cast<sqlite3_int64>(bytes.size()), SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
        if (rc != SQLITE_OK)
            throw DatabaseError(sqlite3_errstr(rc));
        SQLite::Backup copy(Connection(), carried);
        copy.executeStep();
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(e.what());
    }
}

// Runs that start together all find the outdated file; only the first may replace it, or
// a later one would take the fresh database, which the first may already have saved into,
// for the outdated one. So the version is read again under a lock.
void vloxBuildTarnekStruct::ReplaceOutdatedDatabase()
{
    SystemFile lock;
    if (const auto locked = LockDatabaseReplacement(lock, databasePath); !locked)
        throw DatabaseError(
            "Не удалось заблокировать " + LockFileOf(databasePath).string() +
            " для замены устаревшей базы данных: " + std::system_category().message(locked.failure().code));
    if (HasCurrentVersion())
        return;
    KeepOutdatedCopy();
    WriteCarriedDatabaseInPlace();
}

void vloxBuildTarnekStruct::LoadAll(tarnekArrayStruct& model)
{
    outdatedBackupPath_.clear();
    if (!HasCurrentVersion()) {
        if (InWrite())
            throw DatabaseError("Версия базы данных изменилась во время сохранения");
        ReplaceOutdatedDatabase();
    }

    // Read into a copy so that a failed read leaves the caller's model as it was.
    tarnekArrayStruct loaded = model;
    try {
        // One read transaction: all values come from the same state of the file, and the
        // lock is taken once instead of once per read.
        // Inside a write transaction the reads belong to it.
        std::optional<SQLite::Transaction> snapshot;
        if (!InWrite())
            snapshot.emplace(Connection(), SQLite::TransactionBehavior::DEFERRED);

        for (const LevelTableDescriptor& table : LevelTables()) {
            const LevelTableLayout layout = LayoutOf(table.tier);
            for (const ListDescriptor* list : layout.lists) {
                ValueList values;
                SelectColumn(std::string(list->table), std::string(list->column), values);
                loaded.*(list->list) = std::move(values);
            }
            for (const SingleValueDescriptor* value : layout.repeated)
                loaded.*(value->text) = SelectFirstValue(std::string(value->table), std::string(value->column));
        }

        const SingleValueDescriptor& levelCount = LevelCountValue();
        loaded.*(levelCount.text) = SelectFirstValue(std::string(levelCount.table), std::string(levelCount.column));
        for (const ParameterDescriptor& parameter : Parameters())
            loaded.*(parameter.text) = SelectFirstValue(std::string(parameter.table), std::string(parameter.column));

        if (snapshot)
            snapshot->commit();
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(e.what());
    }
    model = std::move(loaded);
}
