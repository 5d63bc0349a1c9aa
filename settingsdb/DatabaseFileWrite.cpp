#include "DatabaseFileWrite.h"

#include <cerrno>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
int OpenForWriting(const std::filesystem::path& file)
{
    return _wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long WriteSome(int fd, const unsigned char* data, std::size_t size)
{
    const unsigned chunk = size > 0x40000000u ? 0x40000000u : static_cast<unsigned>(size);
    return _write(fd, data, chunk);
}
int SyncFile(int fd) { return _commit(fd); }
int CloseFile(int fd) { return _close(fd); }
int ProcessId() { return _getpid(); }
#else
int OpenForWriting(const std::filesystem::path& file)
{
    return ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}
long WriteSome(int fd, const unsigned char* data, std::size_t size) { return ::write(fd, data, size); }
int SyncFile(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
int ProcessId() { return static_cast<int>(::getpid()); }
#endif

}  // namespace

std::optional<DatabaseFileWriteFailure> WriteDatabaseFile(const std::filesystem::path& file,
                                                          std::span<const unsigned char> bytes)
{
    std::filesystem::path temporary = file;
    temporary += "." + std::to_string(ProcessId()) + ".part";

    const int fd = OpenForWriting(temporary);
    if (fd < 0)
        return DatabaseFileWriteFailure{DatabaseFileWriteFailure::Stage::Create, errno};

    int failure = 0;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long written = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failure = errno;
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    if (failure == 0 && SyncFile(fd) != 0)
        failure = errno;
    if (CloseFile(fd) != 0 && failure == 0)
        failure = errno;

    std::error_code error;
    if (failure == 0) {
        std::filesystem::rename(temporary, file, error);
        if (!error)
            return std::nullopt;
        failure = error.value();
    }
    std::filesystem::remove(temporary, error);
    return DatabaseFileWriteFailure{DatabaseFileWriteFailure::Stage::Write, failure};
}
