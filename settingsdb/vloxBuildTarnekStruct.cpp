#include "settingsdb/vloxBuildTarnekStruct.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Savepoint.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"
#include "pluginsrc/UnreachableLink.h"
#include "settingsdb/AccessDatabase.h"
#include "settingsdb/CarriedDatabase.h"
#include "settingsdb/DatabaseFileWrite.h"
#include "settingsdb/DatabaseLocation.h"
#include "settingsdb/IntegrityCheck.h"
#include "settingsdb/Statements.h"

namespace {

std::string FormatFileMessage(const char* format, int code)
{
    char text[160];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

// The system's text, then the file it was about, where one is known.
void ShowFileError(MessageSink& sink, const char* format, int code, const std::filesystem::path& file = {})
{
    const std::string named = file.empty() ? std::string() : ": " + file.string();
    sink.Show({FormatFileMessage(format, code) + named + "\n", "Ошибка", MessageIcon::Error});
}

constexpr const char* kCannotCreate = "Не может записать ресурс в файл (INVALID_HANDLE_VALUE %d)";
constexpr const char* kCannotWrite = "Не может записать ресурс в файл (ошибка %d)";

constexpr int kConnectAttempts = 3;

}  // namespace

vloxBuildTarnekStruct::vloxBuildTarnekStruct(MessageSink& sink) : sink_(sink) {}

vloxBuildTarnekStruct::~vloxBuildTarnekStruct() = default;

bool vloxBuildTarnekStruct::LocateDatabase()
{
    std::error_code error;
    databasePath = DatabaseFileIn(std::filesystem::current_path(error));
    if (error) {
        ShowFileError(sink_, kCannotCreate, error.value());
        return false;
    }
    return true;
}

bool vloxBuildTarnekStruct::ExtractDatabase()
{
    if (!LocateDatabase())
        return false;
    const auto created = CreateDatabaseFile(databasePath, CarriedDatabase());
    if (created)
        return true;
    ShowFileError(sink_, created.failure().createFailed ? kCannotCreate : kCannotWrite, created.failure().code,
                  databasePath);
    return false;
}

// A link to a stick that is not mounted must not be taken for a missing database: the
// carried copy would then be put in its place and the defaults shown as the settings.
void vloxBuildTarnekStruct::RefuseUnreachableLinks() const
{
    for (const std::filesystem::path& path : {databasePath.parent_path(), databasePath})
        if (const auto reachable = CheckLinkReachable(path); !reachable)
            throw DatabaseError(reachable.failure().text + ": база данных не открыта, ничего не создано.");
}

bool vloxBuildTarnekStruct::CreateMissingDatabase()
{
    std::error_code error;
    if (std::filesystem::exists(databasePath, error))
        return true;
    // An existing folder is fine, and a file in its way shows when the database is written;
    // any other failure (a plugin folder that may not be written) is the one to report.
    std::filesystem::create_directory(databasePath.parent_path(), error);
    if (error && error != std::errc::file_exists) {
        ShowFileError(sink_, kCannotCreate, error.value(), databasePath.parent_path());
        return false;
    }
    return ExtractDatabase();
}

void vloxBuildTarnekStruct::Connect(int openFlags)
{
    try {
        // No OPEN_CREATE: a file that vanished since the check must not come back empty.
        auto database = std::make_unique<SQLite::Database>(databasePath, openFlags, busyTimeoutMs);
        // Otherwise a misspelt column name in double quotes reads back as its own text.
        sqlite3_db_config(database->getHandle(), SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(database->getHandle(), SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        // Opening reads nothing; this does, so a file that is no database, or one that
        // another program keeps locked, is refused here and not at the first save.
        database->exec("SELECT count(*) FROM sqlite_schema");
        database_ = std::move(database);
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(e.what());
    }
}

// A file with a few damaged pages can still open and even accept saves, which would then
// build on values that no longer hold. The check costs about a millisecond.
void vloxBuildTarnekStruct::CheckIntegrity()
{
    std::vector<std::string> findings;
    try {
        findings = QuickCheckFindings(*database_);
    } catch (const SQLite::Exception& e) {
        database_.reset();
        throw DatabaseError(e.what());
    }
    if (findings.empty())
        return;
    database_.reset();
    Connect(SQLite::OPEN_READONLY);
    readOnly_ = true;
    sink_.Show({DamagedDatabaseReport(databasePath, findings, RestorableCopies(databasePath)),
                std::string(kApplicationTitle), MessageIcon::Warning});
}

bool vloxBuildTarnekStruct::OpenDatabase()
{
    CloseDatabase();
    if (!LocateDatabase())
        return false;
    RefuseUnreachableLinks();
    if (!SetAsideEarlierEditorsDatabase())
        return false;
    // Another run replacing an outdated database may move the file aside between the look
    // and the connection; the next look then finds it missing and creates it.
    for (int attempt = 1;; ++attempt) {
        if (!CreateMissingDatabase())
            return false;
        try {
            Connect(SQLite::OPEN_READWRITE);
            break;
        } catch (const DatabaseError&) {
            std::error_code error;
            if (attempt == kConnectAttempts || std::filesystem::exists(databasePath, error))
                throw;
        }
    }
    CheckIntegrity();
    return true;
}

bool vloxBuildTarnekStruct::SetAsideEarlierEditorsDatabase()
{
    accessDatabaseKeptAs_.clear();
    if (IsAccessDatabase(databasePath)) {
        // Runs started together all find the Access file; under the lock the first sets it
        // aside, and the others find it gone (or the database made in its place).
        const auto refuse = [this](const std::string& reason) {
            sink_.Show({"Файл настроек " + databasePath.string() +
                            " — база Access прежней версии редактора, и отложить его не удалось: " + reason,
                        "Ошибка", MessageIcon::Error});
            return false;
        };
        SystemFile lock;
        if (const auto locked = LockDatabaseReplacement(lock, databasePath); !locked)
            return refuse(std::system_category().message(locked.failure().code));
        if (IsAccessDatabase(databasePath)) {
            const auto keptAs = SetAsideAccessDatabase(databasePath);
            if (!keptAs)
                return refuse(keptAs.failure().text);
            accessDatabaseKeptAs_ = *keptAs;
            // No caption of its own: the editor's name heads the box, and the tool prints the text alone.
            sink_.Show({AccessDatabaseSetAsideText(accessDatabaseKeptAs_), {}, MessageIcon::Information});
        }
    }
    std::error_code error;
    createdOnOpen_ = !std::filesystem::exists(databasePath, error);
    return true;
}

bool vloxBuildTarnekStruct::CloseDatabase()
{
    writeTransaction_.reset();
    database_.reset();
    readOnly_ = false;
    return true;
}

bool vloxBuildTarnekStruct::IsOpen() const
{
    return database_ != nullptr;
}

SQLite::Database& vloxBuildTarnekStruct::Connection()
{
    if (!database_)
        throw DatabaseError("Нет соединения с базой данных");
    return *database_;
}

std::string vloxBuildTarnekStruct::SelectFirstValue(const std::string& table, const std::string& column)
{
    try {
        SQLite::Statement query(Connection(), SelectFirstValueText(table, column));
        if (!query.executeStep())
            throw DatabaseError("В таблице \"" + table + "\" нет ни одной строки");
        return query.getColumn(0).getString();
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(e.what());
    }
}

void vloxBuildTarnekStruct::SelectColumn(const std::string& table, const std::string& column, ValueList& list)
{
    try {
        SQLite::Statement query(Connection(), SelectColumnText(table, column));
        while (query.executeStep())
            list.append(query.getColumn(0).getString());
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(e.what());
    }
}

// Runs `statements` (given the connection) as one transaction. On the first failure
// everything is rolled back, the engine's message is shown once, and false returned.
template <class Statements>
bool vloxBuildTarnekStruct::WriteInTransaction(Statements&& statements)
{
    if (readOnly_) {
        sink_.Show({DamagedDatabaseRefusal(databasePath), std::string(kApplicationTitle), MessageIcon::Warning});
        return false;
    }
    try {
        SQLite::Database& database = Connection();
        if (writeTransaction_) {
            SQLite::Savepoint part(database, "tarnek_write");
            statements(database);
            part.release();
            return true;
        }
        // IMMEDIATE takes the write lock up front: a second editor waits here (busy
        // timeout) instead of failing halfway through the statements.
        SQLite::Transaction transaction(database, SQLite::TransactionBehavior::IMMEDIATE);
        statements(database);
        transaction.commit();
        return true;
    } catch (const std::exception& e) {
        sink_.Show({e.what(), std::string(kApplicationTitle), MessageIcon::Warning});
        return false;
    }
}

namespace {

void ExecuteUpdate(SQLite::Database& database, std::string_view table, std::string_view column,
                   const std::string& value)
{
    SQLite::Statement update(database, UpdateValueText(table, column));
    update.bind(1, value);
    update.exec();
}

void ExecuteDeleteAll(SQLite::Database& database, std::string_view table)
{
    database.exec(DeleteAllRowsText(table));
}

void ExecuteInsertRows(SQLite::Database& database, const LevelTableLayout& layout, const tarnekArrayStruct& model)
{
    SQLite::Statement insert(database, InsertRowText(layout.table->table, layout.Columns()));
    std::vector<const std::string*> values;
    const std::size_t rows = layout.RowCount(model);
    for (std::size_t row = 0; row < rows; ++row) {
        insert.bind(1, FormatInteger(static_cast<std::int32_t>(row)));
        layout.RowValues(model, row, values);
        for (std::size_t i = 0; i < values.size(); ++i)
            insert.bindNoCopy(static_cast<int>(i) + 2, *values[i]);  // the model outlives the step
        insert.exec();
        insert.reset();
    }
}

// The level count the database holds now, read inside the save's own transaction.
std::int32_t StoredLevelCount(SQLite::Database& database)
{
    const SingleValueDescriptor& count = LevelCountValue();
    SQLite::Statement query(database, SelectFirstValueText(count.table, count.column));
    return query.executeStep() ? ReadInteger(query.getColumn(0).getString()) : 0;
}

// A table whose lists disagree with the level count stored beside it would be padded
// with empty cells, and the next generated source would hold empty initialisers that the
// plugin compiler rejects. Thrown, so that the whole save rolls back.
void RequireLengthsFor(std::int32_t levels, Tier tier, const tarnekArrayStruct& model)
{
    const auto mismatch = FirstListOfWrongLength(model, levels, tier);
    if (!mismatch)
        return;
    throw std::runtime_error(WrongLengthText(*mismatch, levels) +
                             ". Сохранение отменено, ничего не изменено; \"Создать уровни\" пересчитает все списки.");
}

void ExecuteLevelTable(SQLite::Database& database, Tier tier, const tarnekArrayStruct& model, std::int32_t levels)
{
    RequireLengthsFor(levels, tier, model);
    const LevelTableLayout layout = LayoutOf(tier);
    ExecuteDeleteAll(database, layout.table->table);
    ExecuteInsertRows(database, layout, model);
}

void ExecuteParameters(SQLite::Database& database, Tier tier, const tarnekArrayStruct& model)
{
    for (const ParameterWrite& write : ParameterWritesOf(tier, model))
        ExecuteUpdate(database, write.table, write.column, write.value);
}

}  // namespace

bool vloxBuildTarnekStruct::UpdateValue(const std::string& table, const std::string& column, const std::string& value)
{
    return WriteInTransaction([&](SQLite::Database& database) { ExecuteUpdate(database, table, column, value); });
}

bool vloxBuildTarnekStruct::DeleteAllRows(const std::string& table)
{
    return WriteInTransaction([&](SQLite::Database& database) { ExecuteDeleteAll(database, table); });
}

bool vloxBuildTarnekStruct::SaveDatabase(const tarnekArrayStruct& model)
{
    return WriteInTransaction([&](SQLite::Database& database) {
        const std::int32_t levels = ReadInteger(model.levelCountText);
        for (const LevelTableDescriptor& table : LevelTables())
            ExecuteLevelTable(database, table.tier, model, levels);
        // The skill parameters are left to the skill dialogs' own saves.
        ExecuteParameters(database, Tier::Xp, model);
    });
}

bool vloxBuildTarnekStruct::SaveTierDatabase(Tier tier, const tarnekArrayStruct& model)
{
    return WriteInTransaction([&](SQLite::Database& database) {
        // A skill tier's save leaves the level count as stored; the XP save writes the model's.
        const std::int32_t levels = tier == Tier::Xp ? ReadInteger(model.levelCountText) : StoredLevelCount(database);
        ExecuteLevelTable(database, tier, model, levels);
        ExecuteParameters(database, tier, model);
    });
}

bool vloxBuildTarnekStruct::SaveWholeDatabase(const tarnekArrayStruct& model)
{
    return WriteInTransaction([&](SQLite::Database& database) {
        const std::int32_t levels = ReadInteger(model.levelCountText);
        for (const LevelTableDescriptor& table : LevelTables()) {
            ExecuteLevelTable(database, table.tier, model, levels);
            ExecuteParameters(database, table.tier, model);
        }
    });
}

void vloxBuildTarnekStruct::BeginWrite()
{
    if (readOnly_)
        throw DatabaseError(DamagedDatabaseRefusal(databasePath));
    try {
        writeTransaction_ = std::make_unique<SQLite::Transaction>(Connection(), SQLite::TransactionBehavior::IMMEDIATE);
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(e.what());
    }
}

bool vloxBuildTarnekStruct::CommitWrite()
{
    if (!writeTransaction_)
        return false;
    try {
        writeTransaction_->commit();
        writeTransaction_.reset();
        return true;
    } catch (const std::exception& e) {
        writeTransaction_.reset();  // rolls back what the failed commit left open
        sink_.Show({e.what(), std::string(kApplicationTitle), MessageIcon::Warning});
        return false;
    }
}

void vloxBuildTarnekStruct::RollbackWrite()
{
    writeTransaction_.reset();
}

std::int64_t vloxBuildTarnekStruct::DataVersion()
{
    try {
        return Connection().execAndGet("PRAGMA data_version").getInt64();
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(e.what());
    }
}

void vloxBuildTarnekStruct::SaveTier(Tier tier, const tarnekArrayStruct& model)
{
    SaveTierDatabase(tier, model);
}
