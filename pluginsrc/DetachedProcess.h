#pragma once

#include <filesystem>
#include <string>

// Starts program with no arguments in workDir, with this process's environment, and
// forgets it: the caller neither waits for it nor has to reap it, and it outlives the
// editor. 0 when the program was started, else the system's error code (errno,
// GetLastError) of what refused it (missing, not runnable, no process to be had).
int StartDetached(const std::filesystem::path& program, const std::filesystem::path& workDir);

#ifdef _WIN32
// The command line that starts program with no arguments: its path in quotes, so that a
// folder name with a space ("C:\Program Files\...") does not end the program's name and
// leave the rest as arguments.
std::wstring CommandLineStarting(const std::filesystem::path& program);
#endif
