#include "pluginsrc/ChildExec.h"

#ifndef _WIN32

#  include <cerrno>
#  include <csignal>
#  include <fcntl.h>
#  include <unistd.h>

void ExecPluginProgram(const char* program, const char* workDir, int reportFd)
{
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    signal(SIGCHLD, SIG_DFL);

    int error = 0;
    if (chdir(workDir) != 0) {
        error = errno;
    } else {
        char* const direct[] = {const_cast<char*>(program), nullptr};
        execv(program, direct);
        error = errno;
        // A script that lost its execute bit or its #! line (an unpacked archive, say) still
        // runs, through the shell, and still gets no arguments.
        if (error == EACCES || error == ENOEXEC) {
            char* const viaShell[] = {const_cast<char*>("/bin/sh"), const_cast<char*>(program), nullptr};
            execv("/bin/sh", viaShell);
        }
    }
    ssize_t ignored = write(reportFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

bool OpenCloseOnExecPipe(int fds[2])
{
#  ifdef __APPLE__
    // No pipe2 there; another thread's fork in between would only delay the reader's end of file.
    if (pipe(fds) != 0)
        return false;
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    fcntl(fds[1], F_SETFD, FD_CLOEXEC);
    return true;
#  else
    return pipe2(fds, O_CLOEXEC) == 0;
#  endif
}

int ReadExecReport(int fd)
{
    int error = 0;
    ssize_t got;
    do {
        got = read(fd, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(fd);
    if (got == 0)
        return 0;
    return got == static_cast<ssize_t>(sizeof error) && error != 0 ? error : EIO;
}

#endif
