#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace SQLite {
class Database;
}

// What SQLite's quick check finds wrong in the whole file, its first lines only; empty
// when the file is sound. A page too damaged to be read is one such line. Throws the
// engine's exception for anything else (a lock held too long), which says nothing about
// the file.
std::vector<std::string> QuickCheckFindings(SQLite::Database& database);

// The message for a database that failed the check: what was found, that it is open for
// reading only, and the copies beside it that it could be restored from.
std::string DamagedDatabaseReport(const std::filesystem::path& file, const std::vector<std::string>& findings,
                                  const std::vector<std::filesystem::path>& copies);

// What every save of a damaged database shows instead of writing.
std::string DamagedDatabaseRefusal(const std::filesystem::path& file);
