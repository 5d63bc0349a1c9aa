#pragma once

#include <filesystem>
#include <string_view>

#include "model/Result.h"
#include "pluginsrc/SystemFile.h"

// A file written whole beside the file it is meant to become, so that moving it into place
// stays on one file system. Its name is hidden and tells which process made it
// (".NAME.tmp-PID-N"), so that one left behind by a killed run can be recognised and removed.

// Creates a new temporary file beside target and writes bytes into it, up to the disk, and
// gives its path.
// Temporaries of target left by processes that are gone are removed first. When
// copyAttributes is true and target is a regular file, the temporary gets target's
// permissions and, where this process may set them, its owner and group. On failure
// nothing is left behind.
Result<std::filesystem::path, SystemError> WriteTemporaryBeside(const std::filesystem::path& target,
                                                                std::string_view bytes, bool copyAttributes);

// Removes target's temporaries whose process has ended; errors are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& target);
