#pragma once

#include <filesystem>
#include <string>

#include "model/Result.h"

// The earlier Windows editor kept its settings at the same path in a Microsoft Access (Jet
// or ACE) file, which SQLite can only refuse. Such a file is recognised by its header and set
// aside untouched, so that the editor can start afresh without losing it.

// True when the file starts with the Jet or ACE signature ("Standard Jet DB" or
// "Standard ACE DB" at bytes 4 to 18).
bool IsAccessDatabase(const std::filesystem::path& file);

// Renames the file to TarnekChangeLevel.access-N.mdb beside it (the first free N): the
// same bytes under a new name. Gives the new path, or the system's reason for failing.
Result<std::filesystem::path> SetAsideAccessDatabase(const std::filesystem::path& file);

// What the editor and the tool say after setting one aside.
std::string AccessDatabaseSetAsideText(const std::filesystem::path& keptAs);
