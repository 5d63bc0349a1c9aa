#include "CompilerProcess.h"

#include <chrono>
#include <system_error>
#include <vector>

#ifdef _WIN32
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  include <windows.h>
#else
#  include <cerrno>
#  include <csignal>
#  include <fcntl.h>
#  include <poll.h>
#  include <sys/types.h>
#  include <sys/wait.h>
#  include <unistd.h>
#  include "ChildExec.h"
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// How often a quiet program is checked for its end and for a cancel.
constexpr int kPollMilliseconds = 50;
// How long output held open by a left-over child is still read after the program ended.
constexpr auto kGraceAfterExit = std::chrono::seconds(2);
constexpr std::size_t kReadSize = 64 * 1024;

}  // namespace

#ifdef _WIN32

struct CompilerProcess::Handles {
    HANDLE process = nullptr;
    HANDLE job = nullptr;
    HANDLE output = nullptr;  // the pipe's read end

    ~Handles()
    {
        if (job != nullptr) {
            TerminateJobObject(job, 1);
            CloseHandle(job);
        }
        for (HANDLE h : {process, output})
            if (h != nullptr)
                CloseHandle(h);
    }
};

namespace {

// The program path quoted as one argument: a folder with spaces must not split it.
std::wstring QuotedCommandLine(const fs::path& program)
{
    return L"\"" + program.wstring() + L"\"";
}

}  // namespace

CompilerProcess::CompilerProcess() = default;
CompilerProcess::~CompilerProcess() = default;

int CompilerProcess::Start(const fs::path& program, const fs::path& workDir)
{
    auto h = std::make_unique<Handles>();
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&h->output, &writeEnd, &inheritable, 0))
        return static_cast<int>(GetLastError());
    SetHandleInformation(h->output, HANDLE_FLAG_INHERIT, 0);
    HANDLE nullInput = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                   OPEN_EXISTING, 0, nullptr);
    h->job = CreateJobObjectW(nullptr, nullptr);
    if (h->job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(h->job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }

    std::wstring commandLineText = QuotedCommandLine(program);
    std::vector<wchar_t> commandLine(commandLineText.begin(), commandLineText.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullInput != INVALID_HANDLE_VALUE ? nullInput : nullptr;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info{};
    // Suspended until it is in the job, so that nothing it starts escapes a cancel.
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_DEFAULT_ERROR_MODE | HIGH_PRIORITY_CLASS | CREATE_NO_WINDOW |
                                            CREATE_SUSPENDED,
                                        nullptr, workDir.c_str(), &startup, &info);
    const DWORD error = started ? 0 : GetLastError();
    CloseHandle(writeEnd);
    if (nullInput != INVALID_HANDLE_VALUE)
        CloseHandle(nullInput);
    if (!started)
        return static_cast<int>(error);
    if (h->job != nullptr)
        AssignProcessToJobObject(h->job, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    h->process = info.hProcess;
    handles_ = std::move(h);
    return 0;
}

ProcessEnd CompilerProcess::Run(const std::function<void(std::string_view)>& onOutput)
{
    ProcessEnd end;
    if (!handles_)
        return end;
    std::vector<char> buffer(kReadSize);
    bool outputOpen = true;
    bool exited = false;
    Clock::time_point exitedAt;
    auto endGroup = [&] {
        if (handles_->job != nullptr)
            TerminateJobObject(handles_->job, 1);
        else
            TerminateProcess(handles_->process, 1);
    };
    while (outputOpen || !exited) {
        if (cancel_.load() && !end.cancelled) {
            end.cancelled = true;
            endGroup();
        }
        DWORD available = 0;
        if (outputOpen && !PeekNamedPipe(handles_->output, nullptr, 0, nullptr, &available, nullptr))
            outputOpen = false;  // every writer is gone
        if (outputOpen && available > 0) {
            DWORD got = 0;
            if (ReadFile(handles_->output, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
                onOutput(std::string_view(buffer.data(), got));
            continue;
        }
        if (!exited && WaitForSingleObject(handles_->process, kPollMilliseconds) == WAIT_OBJECT_0) {
            exited = true;
            exitedAt = Clock::now();
        } else if (exited) {
            if (end.cancelled || Clock::now() - exitedAt > kGraceAfterExit) {
                endGroup();
                break;
            }
            Sleep(kPollMilliseconds);
        }
    }
    DWORD code = 0;
    if (GetExitCodeProcess(handles_->process, &code) && !end.cancelled)
        end.exitCode = static_cast<int>(code);
    handles_.reset();
    return end;
}

#else

struct CompilerProcess::Handles {
    pid_t pid = -1;
    int output = -1;
    bool reaped = false;

    ~Handles()
    {
        if (!reaped && pid > 0) {
            kill(-pid, SIGKILL);
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
        if (output >= 0)
            close(output);
    }
};

CompilerProcess::CompilerProcess() = default;
CompilerProcess::~CompilerProcess() = default;

int CompilerProcess::Start(const fs::path& program, const fs::path& workDir)
{
    std::error_code ec;
    const std::string programText = fs::absolute(program, ec).string();
    if (ec)
        return ec.value();
    const std::string workDirText = workDir.string();

    const int nullInput = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (nullInput < 0)
        return errno;
    int output[2];
    int report[2];
    if (!OpenCloseOnExecPipe(output)) {
        const int error = errno;
        close(nullInput);
        return error;
    }
    if (!OpenCloseOnExecPipe(report)) {
        const int error = errno;
        for (int fd : {nullInput, output[0], output[1]})
            close(fd);
        return error;
    }

    const pid_t child = fork();
    if (child == 0) {
        // A process group of its own: a cancel ends the shell script and the compiler it runs.
        setpgid(0, 0);
        dup2(nullInput, STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        dup2(output[1], STDERR_FILENO);
        ExecPluginProgram(programText.c_str(), workDirText.c_str(), report[1]);
    }
    const int forkError = child < 0 ? errno : 0;
    for (int fd : {nullInput, output[1], report[1]})
        close(fd);
    if (child < 0) {
        close(output[0]);
        close(report[0]);
        return forkError;
    }
    // Set here too, so that a cancel right after the start cannot miss the group.
    setpgid(child, child);

    auto h = std::make_unique<Handles>();
    h->pid = child;
    h->output = output[0];
    const int execError = ReadExecReport(report[0]);
    if (execError != 0)
        return execError;  // h reaps the child
    fcntl(h->output, F_SETFL, fcntl(h->output, F_GETFL) | O_NONBLOCK);
    handles_ = std::move(h);
    return 0;
}

ProcessEnd CompilerProcess::Run(const std::function<void(std::string_view)>& onOutput)
{
    ProcessEnd end;
    if (!handles_)
        return end;
    Handles& h = *handles_;
    std::vector<char> buffer(kReadSize);
    bool outputOpen = true;
    bool exited = false;
    Clock::time_point exitedAt;
    // The group is ended only while its leader is unreaped, so its number cannot have been
    // given to another process.
    auto endGroup = [&h] { kill(-h.pid, SIGKILL); };

    while (outputOpen || !exited) {
        if (cancel_.load() && !end.cancelled) {
            end.cancelled = true;
            endGroup();
        }
        if (!exited) {
            siginfo_t info{};
            if (waitid(P_PID, static_cast<id_t>(h.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == h.pid) {
                exited = true;
                exitedAt = Clock::now();
            }
        }
        if (exited && outputOpen && (end.cancelled || Clock::now() - exitedAt > kGraceAfterExit)) {
            endGroup();
            break;
        }
        if (!outputOpen) {
            poll(nullptr, 0, kPollMilliseconds);
            continue;
        }
        pollfd fd{h.output, POLLIN, 0};
        if (poll(&fd, 1, kPollMilliseconds) <= 0)
            continue;
        const ssize_t got = read(h.output, buffer.data(), buffer.size());
        if (got > 0)
            onOutput(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        else if (got == 0 || (errno != EINTR && errno != EAGAIN))
            outputOpen = false;
    }

    int status = 0;
    while (waitpid(h.pid, &status, 0) < 0 && errno == EINTR) {
    }
    h.reaped = true;
    if (WIFEXITED(status) && !end.cancelled)
        end.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        end.signal = WTERMSIG(status);
    handles_.reset();
    return end;
}

#endif
