#include "tests/cli/ToolProcess.h"

#ifdef _WIN32
#  include "pluginsrc/WindowsApi.h"
#else
#  include <fcntl.h>
#  include <signal.h>
#  include <spawn.h>
#  include <stdlib.h>
#  include <sys/wait.h>
extern char** environ;
#endif

#include <chrono>
#include <iostream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32

// The exit code a killed run is given, read back as "did not exit normally".
constexpr UINT kKilledCode = 0xDEAD;

// One argument as the C runtime's command-line parser splits it again: quoted, with the
// backslashes before a quote doubled.
std::wstring Quoted(const std::string& utf8)
{
    const std::wstring arg = fs::path(std::u8string(utf8.begin(), utf8.end())).wstring();
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

HANDLE Inherited(const fs::path& file, bool write)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE handle = CreateFileW(file.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                                      write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + file.string());
    return handle;
}

ToolRun Spawn(const std::vector<std::string>& args, const fs::path& in, const fs::path& out, const fs::path& err)
{
    const fs::path binary = TARNEK_LEVELS_BINARY;
    std::wstring commandLine = L"\"" + binary.wstring() + L"\"";
    for (const std::string& arg : args)
        commandLine += L" " + Quoted(arg);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inherited(in, false);
    startup.hStdOutput = Inherited(out, true);
    startup.hStdError = Inherited(err, true);
    PROCESS_INFORMATION started{};
    const bool ok = CreateProcessW(binary.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                   nullptr, nullptr, &startup, &started);
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        CloseHandle(handle);
    if (!ok)
        throw std::runtime_error("cannot start " TARNEK_LEVELS_BINARY);
    CloseHandle(started.hThread);
    return reinterpret_cast<ToolRun>(started.hProcess);
}

const fs::path kNoFile = "NUL";

#else

ToolRun Spawn(std::vector<std::string> args, const fs::path& in, const fs::path& out, const fs::path& err)
{
    args.insert(args.begin(), TARNEK_LEVELS_BINARY);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, TARNEK_LEVELS_BINARY, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " TARNEK_LEVELS_BINARY);
    return pid;
}

const fs::path kNoFile = "/dev/null";

#endif

}  // namespace

int ExitStatus(ToolRun run)
{
#ifdef _WIN32
    const HANDLE process = reinterpret_cast<HANDLE>(run);
    WaitForSingleObject(process, INFINITE);
    DWORD code = kKilledCode;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code == kKilledCode ? -1 : static_cast<int>(code);
#else
    int status = 0;
    waitpid(static_cast<pid_t>(run), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

void Kill(ToolRun run)
{
#ifdef _WIN32
    TerminateProcess(reinterpret_cast<HANDLE>(run), kKilledCode);
#else
    kill(static_cast<pid_t>(run), SIGKILL);
#endif
}

void SetEnvironment(const char* name, const char* value)
{
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
#endif
}

ToolResult RunBinary(const std::vector<std::string>& args, const std::string& input)
{
    // The captured streams live beside the test folders, never inside a plugin directory.
    const fs::path capture = NewTemporaryFolder(u8"tarnek-run-");
    WriteBytes(capture / "in", input);
    const int status = ExitStatus(Spawn(args, capture / "in", capture / "out", capture / "err"));
    const ToolResult result{status, ReadBytes(capture / "out"), ReadBytes(capture / "err")};
    // Under wine the ended run's files can stay in use for a moment.
    std::error_code ec;
    for (int attempt = 0; attempt < 200 && (fs::remove_all(capture, ec), ec); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return result;
}

ToolRun StartBinary(const std::vector<std::string>& args)
{
    return Spawn(args, kNoFile, kNoFile, kNoFile);
}

std::mt19937 SeededGenerator(const char* variable)
{
    const char* fixed = std::getenv(variable);
    const unsigned seed = fixed ? static_cast<unsigned>(std::strtoul(fixed, nullptr, 10)) : std::random_device{}();
    std::cout << variable << '=' << seed << '\n';
    return std::mt19937(seed);
}
