#pragma once

#include <filesystem>

// Starts program with no arguments in workDir, with this process's environment, and
// forgets it: the caller neither waits for it nor has to reap it, and it outlives the
// editor. True when the program was started; false, with nothing reported, when it could
// not be (missing, not runnable).
bool StartDetached(const std::filesystem::path& program, const std::filesystem::path& workDir);
