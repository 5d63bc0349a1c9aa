#pragma once

#ifndef _WIN32

// The last step of a forked child that runs one of the plugin tree's programs: the default
// signal state back, into workDir, then the program with no arguments, or /bin/sh with the
// program when it lacks its execute bit or its #! line. On failure the errno goes to
// reportFd (close-on-exec, so a successful exec closes it instead) and the child exits 127.
// Only async-signal-safe calls: the editor has threads, and this runs between fork and exec.
[[noreturn]] void ExecPluginProgram(const char* program, const char* workDir, int reportFd);

// A pipe whose both ends close on exec, so that no other program started meanwhile keeps it open.
bool OpenCloseOnExecPipe(int fds[2]);

// The parent's side of the report pipe, once its own write end is closed: 0 when the
// program was started, the child's errno otherwise. Closes fd.
int ReadExecReport(int fd);

#endif
