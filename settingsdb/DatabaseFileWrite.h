#pragma once

#include <filesystem>
#include <span>

#include "model/Result.h"
#include "pluginsrc/SystemFile.h"

// Creates a database file whole, and only where none is: the bytes are written beside it
// under a temporary name and then moved to the file's name in a way that never replaces a
// file there. So a failed write never leaves a cut-short file that a later start would take
// for the settings database, and runs starting at the same moment never replace a database
// one of them has already saved into: a file that appeared meanwhile is kept, and that is
// success.
Result<Done, SystemError> CreateDatabaseFile(const std::filesystem::path& file, std::span<const unsigned char> bytes);
