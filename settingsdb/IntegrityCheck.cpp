#include "settingsdb/IntegrityCheck.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

namespace {

// Enough to recognise the damage; the full list can run to thousands of lines.
constexpr int kFindingLines = 5;

}  // namespace

std::vector<std::string> QuickCheckFindings(SQLite::Database& database)
{
    std::vector<std::string> findings;
    try {
        SQLite::Statement check(database, "PRAGMA quick_check(" + std::to_string(kFindingLines) + ")");
        while (check.executeStep()) {
            std::string line = check.getColumn(0).getString();
            if (line != "ok")
                findings.push_back(std::move(line));
        }
    } catch (const SQLite::Exception& e) {
        const int code = e.getErrorCode() & 0xff;
        if (code != SQLITE_CORRUPT && code != SQLITE_NOTADB)
            throw;
        findings.emplace_back(e.what());
    }
    return findings;
}

std::string DamagedDatabaseReport(const std::filesystem::path& file, const std::vector<std::string>& findings,
                                  const std::vector<std::filesystem::path>& copies)
{
    std::string text = "База данных " + file.string() +
                       " повреждена и открыта только для чтения: изменения в неё не сохраняются.\n"
                       "Проверка (PRAGMA quick_check) сообщает:\n";
    for (const std::string& finding : findings) {
        std::size_t start = 0;
        for (std::size_t end; (end = finding.find('\n', start)) != std::string::npos; start = end + 1)
            text += "  " + finding.substr(start, end - start) + "\n";
        text += "  " + finding.substr(start) + "\n";
    }
    if (copies.empty()) {
        text += "Копий, из которых её можно восстановить, рядом с ней нет.";
    } else {
        text += "Восстановить её можно из копии рядом с ней:";
        for (const std::filesystem::path& copy : copies)
            text += "\n  " + copy.filename().string();
    }
    return text;
}

std::string DamagedDatabaseRefusal(const std::filesystem::path& file)
{
    return "База данных " + file.string() + " повреждена и открыта только для чтения: изменения не сохранены.";
}
