#pragma once

#include <filesystem>
#include <string>

#include "model/Result.h"

// Runs an SQL script into a new SQLite file at `file` (replaced if present) and compacts
// it, so that the same script and the same SQLite give the same bytes every time.
// Fails with the engine's message when a statement fails.
Result<> BuildDatabaseFromScript(const std::string& script, const std::filesystem::path& file);
