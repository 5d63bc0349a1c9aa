#include "pluginsrc/CompilerProcess.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#ifdef _WIN32
#  include "pluginsrc/DetachedProcess.h"
#  include "pluginsrc/WindowsApi.h"
#else
#  include "pluginsrc/ChildExec.h"
#  include <cerrno>
#  include <csignal>
#  include <fcntl.h>
#  include <poll.h>
#  include <sys/types.h>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// How often a quiet program is checked for its end and for a cancel.
constexpr int kPollMilliseconds = 50;
// How long output held open by a left-over child may stay silent after the program ended.
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

    bool HasExited() const { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

    std::optional<std::size_t> Read(std::vector<char>& buffer, int waitMs)
    {
        DWORD available = 0;
        if (!PeekNamedPipe(output, nullptr, 0, nullptr, &available, nullptr))
            return std::nullopt;  // every writer is gone
        if (available == 0) {
            WaitForSingleObject(process, static_cast<DWORD>(waitMs));
            return 0;
        }
        DWORD got = 0;
        const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(buffer.size()));
        if (!ReadFile(output, buffer.data(), wanted, &got, nullptr))
            return std::nullopt;
        return got;
    }

    void EndGroup()
    {
        if (job != nullptr)
            TerminateJobObject(job, 1);
        else
            TerminateProcess(process, 1);
    }

    void Reap(ProcessEnd& end)
    {
        WaitForSingleObject(process, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process, &code) && !end.cancelled)
            end.exitCode = static_cast<int>(code);
    }
};

int CompilerProcess::Start(const fs::path& program, const fs::path& workDir)
{
    auto h = std::make_unique<Handles>();
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&h->output, &writeEnd, &inheritable, 0))
        return static_cast<int>(GetLastError());
    SetHandleInformation(h->output, HANDLE_FLAG_INHERIT, 0);
    HANDLE nullInput =
        CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);
    h->job = CreateJobObjectW(nullptr, nullptr);
    if (h->job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(h->job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }

    std::wstring commandLineText = CommandLineStarting(program);
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
    const BOOL started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_DEFAULT_ERROR_MODE | HIGH_PRIORITY_CLASS | CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                       workDir.c_str(), &startup, &info);
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

    // Without reaping, so that the group's number stays the program's until Reap.
    bool HasExited() const
    {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
    }

    std::optional<std::size_t> Read(std::vector<char>& buffer, int waitMs)
    {
        pollfd fd{output, POLLIN, 0};
        if (poll(&fd, 1, waitMs) <= 0)
            return 0;
        const ssize_t got = read(output, buffer.data(), buffer.size());
        if (got > 0)
            return static_cast<std::size_t>(got);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            return 0;
        return std::nullopt;
    }

    // Only while the leader is unreaped: its number cannot have gone to another process.
    void EndGroup() { kill(-pid, SIGKILL); }

    void Reap(ProcessEnd& end)
    {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        reaped = true;
        if (WIFEXITED(status) && !end.cancelled)
            end.exitCode = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            end.signal = WTERMSIG(status);
    }
};

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

#endif

CompilerProcess::CompilerProcess() = default;
CompilerProcess::~CompilerProcess() = default;

ProcessEnd CompilerProcess::Run(const std::function<void(std::string_view)>& onOutput)
{
    ProcessEnd end;
    if (!handles_)
        return end;
    Handles& h = *handles_;
    std::vector<char> buffer(kReadSize);
    bool outputOpen = true;
    bool exited = false;
    Clock::time_point quietSince;
    while (outputOpen || !exited) {
        if (cancel_.load() && !end.cancelled) {
            end.cancelled = true;
            h.EndGroup();
        }
        if (!exited && h.HasExited()) {
            exited = true;
            quietSince = Clock::now();
        }
        if (exited && outputOpen && end.cancelled) {
            h.EndGroup();  // whatever escaped the first end and still holds the output
            break;
        }
        if (!outputOpen) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
            continue;
        }
        const std::optional<std::size_t> got = h.Read(buffer, kPollMilliseconds);
        if (!got) {
            outputOpen = false;
        } else if (*got > 0) {
            onOutput(std::string_view(buffer.data(), *got));
            quietSince = Clock::now();
        } else if (exited && Clock::now() - quietSince > kGraceAfterExit) {
            // Something the program left running holds the output open and has been silent
            // for a while since: the compile is over, and that ends too.
            h.EndGroup();
            break;
        }
    }
    h.Reap(end);
    handles_.reset();
    return end;
}
