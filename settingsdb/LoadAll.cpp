#include <chrono>
#include <optional>
#include <system_error>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Transaction.h>

#include "DatabaseLocation.h"
#include "Statements.h"
#include "SystemFile.h"
#include "vloxBuildTarnekStruct.h"

namespace {

const std::string kVersionTable = "Версия";
const std::string kVersionColumn = "Версия";

}  // namespace

bool vloxBuildTarnekStruct::HasCurrentVersion()
{
    return SelectFirstValue(kVersionTable, kVersionColumn) == kDatabaseVersion;
}

void vloxBuildTarnekStruct::MoveOutdatedDatabaseAside()
{
    CloseDatabase();
    const std::filesystem::path backup = FreeBackupPath(databasePath);
    std::error_code error = std::make_error_code(std::errc::file_exists);
    if (!backup.empty())
        std::filesystem::rename(databasePath, backup, error);
    if (error) {
        throw DatabaseError("Не удалось сохранить копию устаревшей базы данных " + databasePath.string() + " (" +
                            backup.filename().string() + "): " + error.message());
    }
    outdatedBackupPath_ = backup;
}

// Runs that start together all find the outdated file; only the first may move it aside,
// or a later one would take the fresh database, which the first may already have saved
// into, for the outdated one. So the version is read again under a lock, on the file now
// at the path.
void vloxBuildTarnekStruct::ReplaceOutdatedDatabase()
{
    SystemFile lock;
    if (const int error = LockDatabaseReplacement(lock, databasePath); error != 0)
        throw DatabaseError("Не удалось заблокировать " + LockFileOf(databasePath).string() +
                            " для замены устаревшей базы данных: " + std::system_category().message(error));

    // A file gone for good leaves the reads on the connection they have. Only a run holding
    // the lock moves the file aside, so the file cannot be missing for a moment here.
    if (!std::filesystem::exists(databasePath))
        return;
    if (!OpenDatabase() || HasCurrentVersion())
        return;
    MoveOutdatedDatabaseAside();
    // When this fails the reason has been shown, and the reads below fail for want of a
    // connection; the user's file is safe under its backup name either way.
    OpenDatabase();
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
