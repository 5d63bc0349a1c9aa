#pragma once

#include <filesystem>
#include <string>

// TarnekChangeLevelDatabase/TarnekChangeLevel.mdb under `directory`.
std::filesystem::path DatabaseFileIn(const std::filesystem::path& directory);

// A name beside `file` that no file holds yet, for keeping a replaced database:
// TarnekChangeLevel.backup-1.mdb, TarnekChangeLevel.backup-2.mdb, ...; empty when the
// folder cannot be examined.
std::filesystem::path FreeBackupPath(const std::filesystem::path& file);

// The same with another tag: TarnekChangeLevel.<tag>-1.mdb, ...
std::filesystem::path FreeNumberedPath(const std::filesystem::path& file, const std::string& tag);
