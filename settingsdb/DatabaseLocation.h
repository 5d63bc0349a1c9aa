#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/Result.h"
#include "pluginsrc/SystemFile.h"

// TarnekChangeLevelDatabase/TarnekChangeLevel.mdb under `directory`.
std::filesystem::path DatabaseFileIn(const std::filesystem::path& directory);

// A name beside `file` that no file holds yet, for keeping a replaced database:
// TarnekChangeLevel.backup-1.mdb, TarnekChangeLevel.backup-2.mdb, ...; empty when the
// folder cannot be examined.
std::filesystem::path FreeBackupPath(const std::filesystem::path& file);

// The same with another tag: TarnekChangeLevel.<tag>-1.mdb, ...
std::filesystem::path FreeNumberedPath(const std::filesystem::path& file, const std::string& tag);
// The other databases kept beside `file` (TarnekChangeLevel.backup-1.mdb and any other
// TarnekChangeLevel.*.mdb), sorted by name: what a damaged database could be restored from.
std::vector<std::filesystem::path> RestorableCopies(const std::filesystem::path& file);

// The file whose lock serialises the replacement of `file` among runs: TarnekChangeLevel.lock
// beside it. It stays there between runs.
std::filesystem::path LockFileOf(const std::filesystem::path& file);

// Takes the lock of LockFileOf(file), waiting a while for a run that holds it; every run
// that moves the database file aside does so only under it.
Result<Done, SystemError> LockDatabaseReplacement(SystemFile& lock, const std::filesystem::path& file);
