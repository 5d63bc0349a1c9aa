#include "settingsdb/DatabaseLocation.h"

#include <chrono>

#include <algorithm>
#include <string>
#include <system_error>

std::filesystem::path DatabaseFileIn(const std::filesystem::path& directory)
{
    return directory / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb";
}

std::filesystem::path FreeBackupPath(const std::filesystem::path& file)
{
    return FreeNumberedPath(file, "backup");
}

std::filesystem::path FreeNumberedPath(const std::filesystem::path& file, const std::string& tag)
{
    for (unsigned number = 1; number <= 100000; ++number) {
        std::filesystem::path candidate = file;
        candidate.replace_filename(file.stem().string() + "." + tag + "-" + std::to_string(number) +
                                   file.extension().string());
        std::error_code error;
        const auto status = std::filesystem::symlink_status(candidate, error);
        if (status.type() == std::filesystem::file_type::not_found)
            return candidate;
        if (!std::filesystem::status_known(status))
            break;
    }
    return {};
}

std::vector<std::filesystem::path> RestorableCopies(const std::filesystem::path& file)
{
    const std::string prefix = file.stem().string() + ".", suffix = file.extension().string();
    std::vector<std::filesystem::path> copies;
    std::error_code error;
    for (std::filesystem::directory_iterator it(file.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix) &&
            it->path() != file && it->is_regular_file(ignored))
            copies.push_back(it->path());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

std::filesystem::path LockFileOf(const std::filesystem::path& file)
{
    std::filesystem::path lock = file;
    lock.replace_extension(".lock");
    return lock;
}

Result<Done, SystemError> LockDatabaseReplacement(SystemFile& lock, const std::filesystem::path& file)
{
    // Longer than a replacement takes on a slow disk, short enough that a run stopped while
    // holding the lock does not hang the others for good.
    constexpr std::chrono::milliseconds kReplacementLockWait{30000};
    int error = lock.Open(LockFileOf(file), SystemFile::Mode::CreateOrOpenForLock);
    if (error == 0)
        error = lock.Lock(SystemFile::LockMode::Exclusive, kReplacementLockWait);
    if (error != 0)
        return SystemError{error, false};
    return Done{};
}
