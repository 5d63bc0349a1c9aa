#include "FileReplace.h"

#include <algorithm>
#include <atomic>
#include <string>

#ifdef _WIN32
#  include "WindowsApi.h"
#else
#  include <cerrno>
#  include <fcntl.h>
#  include <sys/stat.h>
#  include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::atomic<unsigned> tempCounter{0};

fs::path ResolveLink(const fs::path& target)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec)))
        return target;
    const fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

// Hidden and unique per process and attempt, in the target's own folder so that the final
// rename stays on one file system and is atomic.
fs::path TempName(const fs::path& target, unsigned long processId)
{
    fs::path name = target.parent_path();
    name /= "." + target.filename().string() + ".tmp-" + std::to_string(processId) + "-" +
            std::to_string(tempCounter.fetch_add(1));
    return name;
}

constexpr int kCreateAttempts = 100;

}  // namespace

#ifdef _WIN32

int ReplaceFileContents(const fs::path& requested, std::string_view bytes)
{
    const fs::path target = ResolveLink(requested);
    fs::path temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temp = TempName(target, GetCurrentProcessId());
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());

    DWORD error = 0;
    std::size_t done = 0;
    while (error == 0 && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            error = GetLastError();
        done += written;
    }
    if (error == 0 && !FlushFileBuffers(file))
        error = GetLastError();
    CloseHandle(file);
    if (error == 0 && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != 0)
        DeleteFileW(temp.c_str());
    return static_cast<int>(error);
}

#else

namespace {

int WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Makes the rename itself durable; a file system that cannot sync a directory still has
// the complete file, so failures here are not reported.
void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

int ReplaceFileContents(const fs::path& requested, std::string_view bytes)
{
    const fs::path target = ResolveLink(requested);
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temp = TempName(target, static_cast<unsigned long>(::getpid()));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            break;
    }
    if (fd < 0)
        return errno;

    // A replaced file keeps the permissions it had; a new one gets the umask's.
    struct stat previous {};
    if (::stat(target.c_str(), &previous) == 0 && S_ISREG(previous.st_mode))
        ::fchmod(fd, previous.st_mode & 07777);

    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    SyncFolder(target.parent_path());
    return 0;
}

#endif
