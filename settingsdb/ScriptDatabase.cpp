#include "settingsdb/ScriptDatabase.h"

#include <memory>
#include <system_error>

#include <sqlite3.h>

namespace {

struct CloseConnection {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

Result<> Execute(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) == SQLITE_OK)
        return Done{};
    Failure failure{error != nullptr ? error : sqlite3_errmsg(db)};
    sqlite3_free(error);
    return failure;
}

}  // namespace

Result<> BuildDatabaseFromScript(const std::string& script, const std::filesystem::path& file)
{
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::filesystem::remove(file.string() + "-journal", ignored);

    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(file.string().c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Connection db(raw);
    if (opened != SQLITE_OK)
        return Failure{raw != nullptr ? sqlite3_errmsg(raw) : sqlite3_errstr(opened)};

    // A misspelt name in double quotes must fail here instead of becoming a text value.
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DQS_DML, 0, nullptr);

    // Fixed page size and rollback journal: the file header must not depend on the
    // defaults this SQLite was built with more than it has to.
    if (auto begun = Execute(db.get(), "PRAGMA page_size = 4096; PRAGMA journal_mode = DELETE; BEGIN;"); !begun)
        return begun;
    if (auto run = Execute(db.get(), script.c_str()); !run) {
        (void)Execute(db.get(), "ROLLBACK;");
        return run;
    }
    return Execute(db.get(), "COMMIT; VACUUM;");
}
