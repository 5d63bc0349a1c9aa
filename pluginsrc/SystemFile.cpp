#include "pluginsrc/SystemFile.h"

#include <algorithm>
#include <thread>

#ifdef _WIN32
#  include "pluginsrc/WindowsApi.h"
#else
#  include <cerrno>
#  include <climits>
#  include <cstdio>
#  include <fcntl.h>
#  include <signal.h>
#  include <sys/file.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Polls `attempt` until it gives something other than busy or the time is up; polling
// rather than a blocking call keeps the wait bounded on every system. The pause grows
// from a millisecond, so that a lock let go at once is taken at once.
template <class Try>
int RetryWhileBusy(std::chrono::milliseconds timeout, Try&& attempt)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        const int error = attempt();
        if (!IsBusyError(error) || std::chrono::steady_clock::now() >= deadline)
            return error;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

}  // namespace

#ifdef _WIN32

SystemFile::~SystemFile()
{
    Close();
}

int SystemFile::Open(const fs::path& file, Mode mode)
{
    Close();
    DWORD access = GENERIC_WRITE, share = 0, disposition = CREATE_NEW;
    if (mode == Mode::WriteExisting)
        disposition = OPEN_EXISTING;
    if (mode == Mode::CreateOrOpenForLock) {
        access = GENERIC_READ | GENERIC_WRITE;
        share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        disposition = OPEN_ALWAYS;
    }
    HANDLE handle = CreateFileW(file.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    handle_ = handle;
    return 0;
}

int SystemFile::WriteAll(std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data() + done, chunk, &written, nullptr))
            return static_cast<int>(GetLastError());
        done += written;
    }
    return 0;
}

int SystemFile::Reserve(std::uint64_t)
{
    return 0;
}

int SystemFile::Resize(std::uint64_t size)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_))
        return static_cast<int>(GetLastError());
    return 0;
}

int SystemFile::Sync()
{
    return FlushFileBuffers(handle_) ? 0 : static_cast<int>(GetLastError());
}

int SystemFile::Close()
{
    if (handle_ == nullptr)
        return 0;
    const BOOL closed = CloseHandle(handle_);
    handle_ = nullptr;
    return closed ? 0 : static_cast<int>(GetLastError());
}

void SystemFile::CopyAttributesOf(const fs::path&) {}

// The first byte stands for the file: it overlaps the whole-file and the one-byte locks
// that earlier versions took, so every version waits for every other. The file's content
// stays readable and writable for its holder, which a shared lock over it would not allow.
int SystemFile::Lock(LockMode mode, std::chrono::milliseconds timeout)
{
    DWORD flags = LOCKFILE_FAIL_IMMEDIATELY;
    if (mode == LockMode::Exclusive)
        flags |= LOCKFILE_EXCLUSIVE_LOCK;
    return RetryWhileBusy(timeout, [this, flags] {
        OVERLAPPED first{};
        return LockFileEx(handle_, flags, 0, 1, 0, &first) ? 0 : static_cast<int>(GetLastError());
    });
}

int SystemFile::ShareLock()
{
    // LockFileEx cannot convert, and a shared lock may not overlap an exclusive one.
    OVERLAPPED first{};
    UnlockFileEx(handle_, 0, 1, 0, &first);
    return Lock(LockMode::Shared, std::chrono::milliseconds(0));
}

int SystemFile::WriteFromStart(std::string_view bytes)
{
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN))
        return static_cast<int>(GetLastError());
    if (const int error = WriteAll(bytes); error != 0)
        return error;
    return SetEndOfFile(handle_) ? 0 : static_cast<int>(GetLastError());
}

int SystemFile::ReadFromStart(std::string& bytes, std::size_t most)
{
    LARGE_INTEGER start{};
    bytes.assign(most, '\0');
    DWORD read = 0;
    if (!SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN) ||
        !ReadFile(handle_, bytes.data(), static_cast<DWORD>(most), &read, nullptr)) {
        bytes.clear();
        return static_cast<int>(GetLastError());
    }
    bytes.resize(read);
    return 0;
}

int SystemFile::Size(std::uint64_t& size)
{
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(handle_, &length))
        return static_cast<int>(GetLastError());
    size = static_cast<std::uint64_t>(length.QuadPart);
    return 0;
}

int MoveReplacing(const fs::path& from, const fs::path& to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : static_cast<int>(GetLastError());
}

int MoveWithoutReplacing(const fs::path& from, const fs::path& to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : static_cast<int>(GetLastError());
}

bool IsExistsError(int error)
{
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

bool IsBusyError(int error)
{
    return error == ERROR_LOCK_VIOLATION;
}

bool IsPermissionError(int error)
{
    return error == ERROR_ACCESS_DENIED;
}

void SyncFolder(const fs::path&) {}

unsigned long CurrentProcessId()
{
    return GetCurrentProcessId();
}

bool ProcessIsRunning(unsigned long processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool running = !GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

#else

SystemFile::~SystemFile()
{
    Close();
}

int SystemFile::Open(const fs::path& file, Mode mode)
{
    Close();
    int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    if (mode == Mode::WriteExisting)
        flags = O_WRONLY | O_CLOEXEC;
    if (mode == Mode::CreateOrOpenForLock)
        flags = O_RDWR | O_CREAT | O_CLOEXEC;
    fd_ = ::open(file.c_str(), flags, 0666);
    return fd_ < 0 ? errno : 0;
}

int SystemFile::WriteAll(std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int SystemFile::Reserve(std::uint64_t size)
{
    if (size == 0)
        return 0;
    const int error = ::posix_fallocate(fd_, 0, static_cast<off_t>(size));
    return error == EINVAL || error == EOPNOTSUPP ? 0 : error;
}

int SystemFile::Resize(std::uint64_t size)
{
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 ? 0 : errno;
}

int SystemFile::Sync()
{
    return ::fsync(fd_) == 0 ? 0 : errno;
}

int SystemFile::Close()
{
    if (fd_ < 0)
        return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

void SystemFile::CopyAttributesOf(const fs::path& model)
{
    struct stat previous {};
    if (::stat(model.c_str(), &previous) != 0 || !S_ISREG(previous.st_mode))
        return;
    // Owner first: a change of owner may clear the set-id bits that the mode then restores.
    // Only root may give a file away; anyone may pass it to a group of their own.
    if (::fchown(fd_, previous.st_uid, previous.st_gid) != 0)
        (void)!::fchown(fd_, static_cast<uid_t>(-1), previous.st_gid);
    ::fchmod(fd_, previous.st_mode & 07777);
}

int SystemFile::Lock(LockMode mode, std::chrono::milliseconds timeout)
{
    const int operation = (mode == LockMode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    return RetryWhileBusy(timeout, [this, operation] {
        int error = 0;
        do
            error = ::flock(fd_, operation) == 0 ? 0 : errno;
        while (error == EINTR);
        return error;
    });
}

int SystemFile::ShareLock()
{
    return Lock(LockMode::Shared, std::chrono::milliseconds(0));
}

int SystemFile::WriteFromStart(std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return Resize(bytes.size());
}

int SystemFile::ReadFromStart(std::string& bytes, std::size_t most)
{
    bytes.assign(most, '\0');
    ssize_t read = 0;
    do
        read = ::pread(fd_, bytes.data(), most, 0);
    while (read < 0 && errno == EINTR);
    if (read < 0) {
        bytes.clear();
        return errno;
    }
    bytes.resize(static_cast<std::size_t>(read));
    return 0;
}

int SystemFile::Size(std::uint64_t& size)
{
    struct stat status {};
    if (::fstat(fd_, &status) != 0)
        return errno;
    size = static_cast<std::uint64_t>(status.st_size);
    return 0;
}

int MoveReplacing(const fs::path& from, const fs::path& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int MoveWithoutReplacing(const fs::path& from, const fs::path& to)
{
#  ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
#  endif
    // A file system without the no-replace rename: a second name never replaces either.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

bool IsExistsError(int error)
{
    return error == EEXIST;
}

bool IsBusyError(int error)
{
    return error == EWOULDBLOCK;
}

bool IsPermissionError(int error)
{
    return error == EACCES || error == EPERM;
}

void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

bool ProcessIsRunning(unsigned long processId)
{
    if (processId == 0 || processId > static_cast<unsigned long>(INT_MAX))
        return true;
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

#endif

std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}
