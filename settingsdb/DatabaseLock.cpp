#include "settingsdb/DatabaseLock.h"

#include <utility>

#include "pluginsrc/SystemFile.h"

DatabaseLock::DatabaseLock() = default;
DatabaseLock::DatabaseLock(DatabaseLock&& other) noexcept = default;
DatabaseLock& DatabaseLock::operator=(DatabaseLock&& other) noexcept = default;
// Closing the file lets the lock go.
DatabaseLock::~DatabaseLock() = default;

DatabaseLock::DatabaseLock(std::unique_ptr<SystemFile> file) : file_(std::move(file)) {}

Result<DatabaseLock> DatabaseLock::Take(const std::filesystem::path& file, Mode mode, std::chrono::milliseconds wait)
{
    auto opened = std::make_unique<SystemFile>();
    if (const int error = opened->Open(file, SystemFile::Mode::CreateOrOpenForLock); error != 0)
        return Failure{"Не удалось открыть файл блокировки " + Utf8FromPath(file) + " (ошибка " +
                       std::to_string(error) + ")."};
    const auto systemMode = mode == Mode::Exclusive ? SystemFile::LockMode::Exclusive : SystemFile::LockMode::Shared;
    if (const int error = opened->Lock(systemMode, wait); error != 0) {
        if (IsBusyError(error))
            return Failure{"Файл " + Utf8FromPath(file) +
                           " занят другой программой (идёт её сохранение); ничего не изменено, попробуйте ещё раз."};
        return Failure{"Не удалось заблокировать файл " + Utf8FromPath(file) + " (ошибка " + std::to_string(error) +
                       ")."};
    }
    return DatabaseLock(std::move(opened));
}

bool DatabaseLock::Share()
{
    return file_ && file_->ShareLock() == 0;
}

bool DatabaseLock::ClearPending()
{
    return file_ && file_->Resize(0) == 0;
}

bool DatabaseLock::SetPendingMark(std::string_view mark)
{
    return file_ && file_->WriteFromStart(mark) == 0;
}

bool DatabaseLock::IsPending() const
{
    std::uint64_t size = 0;
    return file_ && file_->Size(size) == 0 && size > 0;
}

std::string DatabaseLock::PendingMark() const
{
    // Larger than any mark the editor writes; what lies beyond is no mark of its own.
    constexpr std::size_t kLongestMark = 4096;
    std::string mark;
    if (file_)
        file_->ReadFromStart(mark, kLongestMark);
    return mark;
}

std::filesystem::path SaveLockFileOf(const std::filesystem::path& database)
{
    std::filesystem::path lock = database;
    lock += ".lock";
    return lock;
}
