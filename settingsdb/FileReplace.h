#pragma once

#include <filesystem>
#include <optional>
#include <span>

// Replaces a file's content whole: written beside it under a temporary name and then
// renamed over it, so that a failed write never leaves a cut-short file at `file`.
struct FileReplaceFailure {
    enum class Stage { Create, Write } stage;
    int errorCode;  // the system's error code
};

std::optional<FileReplaceFailure> ReplaceFileContents(const std::filesystem::path& file,
                                                      std::span<const unsigned char> bytes);
