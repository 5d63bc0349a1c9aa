#pragma once

#include <filesystem>
#include <optional>
#include <span>

// Writes a database file whole: first beside it under a temporary name, then renamed over
// it, so that a failed write never leaves a cut-short file that a later start would take
// for the settings database.
struct DatabaseFileWriteFailure {
    enum class Stage { Create, Write } stage;
    int errorCode;  // the system's error code
};

std::optional<DatabaseFileWriteFailure> WriteDatabaseFile(const std::filesystem::path& file,
                                                          std::span<const unsigned char> bytes);
