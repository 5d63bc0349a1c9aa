#pragma once

#include <filesystem>
#include <string_view>

#include "model/Result.h"
#include "pluginsrc/SystemFile.h"

// How ReplaceFileContents put the bytes there.
enum class ReplaceMethod {
    Whole,   // a complete new file took the old one's place
    InPlace  // the folder allows no new file, so the existing one was written over
};

// Replaces the content of target with bytes so that a reader (the plugin compiler, or the
// next editor run) sees either the whole previous file or the whole new one, never a cut-off
// mix: the bytes go to a fresh file beside the target, reach the disk, and that file is then
// renamed over the target, keeping the target's permissions and, where this process may
// set them, its owner and group. The folder is not created. On failure the previous file is
// left as it was, nothing is left behind, and the system's error is given. A target that is a symbolic link has the
// file it points to replaced, as writing through the link would.
//
// A folder that refuses new files while the target itself may be written (a plugin tree
// shared read-only with writable sources) gets the target written over in place instead:
// the disk space is claimed first, so a full disk still leaves the previous file, but a
// crash during the write can leave a mix. The result tells which way was taken.
Result<ReplaceMethod, SystemError> ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);
