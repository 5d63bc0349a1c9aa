#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "model/Result.h"

class SystemFile;

// An advisory lock (SystemFile::Lock) on a small file beside the database. Every program that writes the
// database or the plugin sources holds it exclusively from before its read until after
// its last write, so the database and both sources always come from one configuration.
// The system drops it when the process ends, however it ends, so a killed run never
// leaves it behind.
class DatabaseLock final {
public:
    enum class Mode { Exclusive, Shared };

    DatabaseLock();
    DatabaseLock(DatabaseLock&& other) noexcept;
    DatabaseLock& operator=(DatabaseLock&& other) noexcept;
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;
    ~DatabaseLock();

    // Waits up to `wait` for the lock (zero: one try).
    static Result<DatabaseLock> Take(const std::filesystem::path& file, Mode mode, std::chrono::milliseconds wait);

    // Exclusive to shared without letting go in between where the system allows it.
    bool Share();

    // A mark in the lock file for work that must not stay half done, such as the sources
    // that follow a committed save: set before the commit, cleared after the last file.
    // Whoever takes the lock next and finds it set finishes that work. The mark is a short
    // text that says which work; an older editor's mark is one byte and says nothing.
    bool SetPendingMark(std::string_view mark);
    bool ClearPending();
    bool IsPending() const;
    std::string PendingMark() const;

private:
    explicit DatabaseLock(std::unique_ptr<SystemFile> file);

    std::unique_ptr<SystemFile> file_;
};

// The lock file of the saves into the database at `database`: the same name with ".lock"
// appended (TarnekChangeLevel.mdb.lock); the replacement of an outdated database has its own.
std::filesystem::path SaveLockFileOf(const std::filesystem::path& database);
