#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Runs an SQL script into a new SQLite file at `file` (replaced if present) and compacts
// it, so that the same script and the same SQLite give the same bytes every time.
// Returns the engine's message when a statement fails.
std::optional<std::string> BuildDatabaseFromScript(const std::string& script, const std::filesystem::path& file);
