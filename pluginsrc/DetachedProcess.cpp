#include "pluginsrc/DetachedProcess.h"

#include <string>
#include <system_error>

#ifdef _WIN32
#  include "pluginsrc/WindowsApi.h"
#  include <vector>
#else
#  include "pluginsrc/ChildExec.h"
#  include <cerrno>
#  include <fcntl.h>
#  include <sys/types.h>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32

std::wstring CommandLineStarting(const fs::path& program)
{
    // The first word of a command line runs up to the next quote, with no escapes, and a
    // Windows path cannot hold a quote: the quotes need no more than this.
    return L"\"" + program.wstring() + L"\"";
}

int StartDetached(const fs::path& program, const fs::path& workDir)
{
    // The child starts in workDir, so a relative path would be read from there.
    std::error_code ec;
    const fs::path absolute = fs::absolute(program, ec).make_preferred();
    if (ec)
        return ec.value();
    // CreateProcessW may write into the command line.
    const std::wstring commandLineText = CommandLineStarting(absolute);
    std::vector<wchar_t> commandLine(commandLineText.begin(), commandLineText.end());
    commandLine.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    // Naming the program as well means no search: exactly this file runs.
    if (!CreateProcessW(absolute.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_DEFAULT_ERROR_MODE | HIGH_PRIORITY_CLASS, nullptr, workDir.c_str(), &startup, &info))
        return static_cast<int>(GetLastError());
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
}

#else

int StartDetached(const fs::path& program, const fs::path& workDir)
{
    std::error_code ec;
    const std::string programText = fs::absolute(program, ec).string();
    if (ec)
        return ec.value();
    const std::string workDirText = workDir.string();

    // The grandchild writes its errno here when exec fails; a successful exec closes the
    // pipe (close-on-exec) and the read below sees end of file.
    int report[2];
    if (!OpenCloseOnExecPipe(report))
        return errno;

    const pid_t child = fork();
    if (child < 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        return error;
    }
    if (child == 0) {
        // A session of its own keeps it out of the editor's terminal and process group, and
        // the intermediate process exits at once so that the compiler is adopted by init and
        // no zombie is left to the editor.
        close(report[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0)
            ExecPluginProgram(programText.c_str(), workDirText.c_str(), report[1]);
        if (grandchild < 0) {
            int error = errno;
            ssize_t ignored = write(report[1], &error, sizeof error);
            (void)ignored;
        }
        _exit(0);
    }

    close(report[1]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return ReadExecReport(report[0]);
}

#endif
