#pragma once

#include <filesystem>
#include <string_view>

// Replaces the content of target with bytes so that a reader (the plugin compiler, or the
// next editor run) sees either the whole previous file or the whole new one, never a cut-off
// mix: the bytes go to a fresh file beside the target, reach the disk, and that file is then
// renamed over the target. The folder is not created. On failure the previous file is left as
// it was, nothing is left behind, and the system's error code (errno, GetLastError) is
// returned; 0 on success. A target that is a symbolic link has the file it points to replaced,
// as writing through the link would.
int ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);
