#include "settingsdb/DatabaseLock.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <utility>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <cerrno>
#  include <cstring>
#  include <fcntl.h>
#  include <sys/file.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

namespace {

// The three calls the lock needs from the system, kept together so that a port touches
// only these.
#ifdef _WIN32

Result<std::intptr_t> OpenLockFile(const std::filesystem::path& file)
{
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return Failure{"ошибка " + std::to_string(GetLastError())};
    return reinterpret_cast<std::intptr_t>(handle);
}

bool TryLockFile(std::intptr_t handle, DatabaseLock::Mode mode)
{
    OVERLAPPED at{};
    DWORD flags = LOCKFILE_FAIL_IMMEDIATELY;
    if (mode == DatabaseLock::Mode::Exclusive)
        flags |= LOCKFILE_EXCLUSIVE_LOCK;
    return LockFileEx(reinterpret_cast<HANDLE>(handle), flags, 0, 1, 0, &at) != 0;
}

void UnlockFile(std::intptr_t handle)
{
    OVERLAPPED at{};
    UnlockFileEx(reinterpret_cast<HANDLE>(handle), 0, 1, 0, &at);
}

// An empty lock file holds no mark.
bool Empty(std::intptr_t handle)
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle);
    LARGE_INTEGER start{};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

bool HasLength(std::intptr_t handle)
{
    LARGE_INTEGER size{};
    return GetFileSizeEx(reinterpret_cast<HANDLE>(handle), &size) && size.QuadPart > 0;
}

// The mark's text from the start of the file, then the file cut to its length: written over
// and never emptied first, so that a run killed in between leaves a mark, not none.
bool WriteContent(std::intptr_t handle, std::string_view text)
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle);
    LARGE_INTEGER start{};
    DWORD written = 0;
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
           WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size() &&
           SetEndOfFile(file);
}

std::string ReadContent(std::intptr_t handle, std::size_t most)
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle);
    LARGE_INTEGER start{};
    std::string text(most, '\0');
    DWORD read = 0;
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN) ||
        !ReadFile(file, text.data(), static_cast<DWORD>(most), &read, nullptr))
        return {};
    text.resize(read);
    return text;
}

void CloseLockFile(std::intptr_t handle)
{
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

#else

Result<std::intptr_t> OpenLockFile(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return Failure{std::strerror(errno)};
    return std::intptr_t{fd};
}

bool TryLockFile(std::intptr_t handle, DatabaseLock::Mode mode)
{
    const int operation = (mode == DatabaseLock::Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    int result;
    do
        result = ::flock(static_cast<int>(handle), operation);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

void CloseLockFile(std::intptr_t handle)
{
    ::close(static_cast<int>(handle));
}

// An empty lock file holds no mark.
bool Empty(std::intptr_t handle)
{
    return ::ftruncate(static_cast<int>(handle), 0) == 0;
}

bool HasLength(std::intptr_t handle)
{
    struct stat status {};
    return ::fstat(static_cast<int>(handle), &status) == 0 && status.st_size > 0;
}

// The mark's text from the start of the file, then the file cut to its length: written over
// and never emptied first, so that a run killed in between leaves a mark, not none.
bool WriteContent(std::intptr_t handle, std::string_view text)
{
    const int fd = static_cast<int>(handle);
    return ::pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()) &&
           ::ftruncate(fd, static_cast<off_t>(text.size())) == 0;
}

std::string ReadContent(std::intptr_t handle, std::size_t most)
{
    std::string text(most, '\0');
    const ssize_t read = ::pread(static_cast<int>(handle), text.data(), most, 0);
    text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return text;
}

#endif

}  // namespace

DatabaseLock::DatabaseLock(DatabaseLock&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

DatabaseLock& DatabaseLock::operator=(DatabaseLock&& other) noexcept
{
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

DatabaseLock::~DatabaseLock()
{
    Release();
}

void DatabaseLock::Release()
{
    if (handle_ == -1)
        return;
    CloseLockFile(handle_);  // closing the file lets the lock go
    handle_ = -1;
}

Result<DatabaseLock> DatabaseLock::Take(const std::filesystem::path& file, Mode mode, std::chrono::milliseconds wait)
{
    const auto opened = OpenLockFile(file);
    if (!opened)
        return Failure{"Не удалось открыть файл блокировки " + file.string() + ": " + opened.failure().text};
    const std::intptr_t handle = *opened;
    DatabaseLock lock(handle);
    // Polling rather than a blocking call: the wait stays bounded on every system.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    while (!TryLockFile(handle, mode)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return Failure{"Файл " + file.string() +
                           " занят другой программой (идёт её сохранение); ничего не изменено, попробуйте ещё раз."};
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    return lock;
}

bool DatabaseLock::Share()
{
    if (handle_ == -1)
        return false;
#ifdef _WIN32
    // LockFileEx cannot convert, and a shared lock may not overlap an exclusive one.
    UnlockFile(handle_);
    return TryLockFile(handle_, Mode::Shared);
#else
    return TryLockFile(handle_, Mode::Shared);
#endif
}

bool DatabaseLock::ClearPending()
{
    return handle_ != -1 && Empty(handle_);
}

bool DatabaseLock::SetPendingMark(std::string_view mark)
{
    return handle_ != -1 && WriteContent(handle_, mark);
}

bool DatabaseLock::IsPending() const
{
    return handle_ != -1 && HasLength(handle_);
}

std::string DatabaseLock::PendingMark() const
{
    // Larger than any mark the editor writes; what lies beyond is no mark of its own.
    constexpr std::size_t kLongestMark = 4096;
    return handle_ != -1 ? ReadContent(handle_, kLongestMark) : std::string();
}

std::filesystem::path SaveLockFileOf(const std::filesystem::path& database)
{
    std::filesystem::path lock = database;
    lock += ".lock";
    return lock;
}
