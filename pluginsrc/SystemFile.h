#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The few file operations the writers need, each behind one small function per platform.
// Like the system calls they wrap, these return the system's error code (errno,
// GetLastError), 0 on success. The functions built on them give a Result whose failure is
// a SystemError.

// Why the system refused to write a file.
struct SystemError {
    int code = 0;               // errno or GetLastError
    bool createFailed = false;  // no file could be made there at all
};

// An open file of the operating system, closed when it goes (which also releases its lock).
class SystemFile {
public:
    enum class Mode {
        CreateNew,           // fails when anything is at the path already
        WriteExisting,       // the file must exist; its content is kept until written over
        CreateOrOpenForLock  // made when missing, content never touched
    };

    SystemFile() = default;
    ~SystemFile();
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    int Open(const std::filesystem::path& file, Mode mode);
    int WriteAll(std::string_view bytes);
    // Claims disk space for size bytes before anything is written, so that a full disk is
    // refused while the file is still whole. Where the file system cannot, nothing happens.
    int Reserve(std::uint64_t size);
    int Resize(std::uint64_t size);
    int Sync();
    int Close();
    // Gives this file the permissions of model, and its owner and group where this process
    // may set them; quietly nothing when model is no regular file or on Windows.
    void CopyAttributesOf(const std::filesystem::path& model);
    // An advisory lock, which the system lets go when the file is closed or the process
    // ends, however it ends. Lock waits up to timeout (zero: one try) while another process
    // holds a lock that conflicts; a busy lock at the deadline gives IsBusyError's code.
    enum class LockMode { Exclusive, Shared };
    int Lock(LockMode mode, std::chrono::milliseconds timeout);
    // Exclusive to shared, without letting go in between where the system allows it.
    int ShareLock();

    // The whole content from the first byte on: written over and then cut to its length,
    // never emptied first, so that a run killed in between leaves old or new bytes, not none.
    int WriteFromStart(std::string_view bytes);
    // Up to `most` bytes from the first.
    int ReadFromStart(std::string& bytes, std::size_t most);
    int Size(std::uint64_t& size);

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Renames from to to, replacing a file there.
int MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames from to to unless something is at to already (then the "exists" code, EEXIST or
// ERROR_ALREADY_EXISTS, and from stays).
int MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
bool IsExistsError(int error);
// Whether a lock could not be had because another process holds one.
bool IsBusyError(int error);
// Whether an error code says that the process may not create or change files there.
bool IsPermissionError(int error);
// Makes a rename in folder durable; a folder that cannot be synced is passed over.
void SyncFolder(const std::filesystem::path& folder);

unsigned long CurrentProcessId();

// A UTF-8 text (an argument, a name typed in) as a path. A std::string handed to
// std::filesystem::path is read in the ANSI code page on Windows, which cannot hold every
// name a folder may have.
std::filesystem::path PathFromUtf8(std::string_view utf8);
// A path as UTF-8, on every system.
std::string Utf8FromPath(const std::filesystem::path& path);

// Whether a process with this id still runs (or cannot be examined, which counts as running).
bool ProcessIsRunning(unsigned long processId);
