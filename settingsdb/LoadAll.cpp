#include <optional>
#include <system_error>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Transaction.h>

#include "DatabaseLocation.h"
#include "Statements.h"
#include "vloxBuildTarnekStruct.h"

namespace {

const std::string kVersionTable = "Версия";
const std::string kVersionColumn = "Версия";

}  // namespace

void vloxBuildTarnekStruct::ReplaceOutdatedDatabase()
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
    // When this fails the reason has been shown, and the reads below fail for want of a
    // connection; the user's file is safe under its backup name either way.
    OpenDatabase();
}

void vloxBuildTarnekStruct::LoadAll(tarnekArrayStruct& model)
{
    outdatedBackupPath_.clear();
    const std::string version = SelectFirstValue(kVersionTable, kVersionColumn);
    if (version != kDatabaseVersion && std::filesystem::exists(databasePath)) {
        if (InWrite())
            throw DatabaseError("Версия базы данных изменилась во время работы: " + version);
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
