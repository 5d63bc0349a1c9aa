#include "tests/support/TestFolder.h"

#include <SQLiteCpp/SQLiteCpp.h>

TableDump DumpTables(const std::filesystem::path& databaseFile)
{
    SQLite::Database db(databaseFile.string(), SQLite::OPEN_READONLY);
    TableDump dump;
    SQLite::Statement tables(db, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name");
    while (tables.executeStep()) {
        const std::string name = tables.getColumn(0).getString();
        auto& rows = dump[name];
        SQLite::Statement query(db, "SELECT * FROM \"" + name + "\" ORDER BY rowid");
        while (query.executeStep()) {
            auto& row = rows.emplace_back();
            for (int i = 0; i < query.getColumnCount(); ++i)
                row.push_back(query.getColumn(i).isNull() ? "<NULL>" : query.getColumn(i).getString());
        }
    }
    return dump;
}
