#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/Result.h"
#include "model/tarnekArrayStruct.h"

// Reads the two generated sources, tarnek/base.h and tarnek/skills.inl, back into a
// configuration: the level count, the 31 value lists, Devotion Aura and the ten maximum
// chances. Everything else in the returned model stays as a default-constructed model has it;
// the fill parameters are not in the sources at all.
//
// A file exactly as the writers produce it gives back every text verbatim, so writing the
// result reproduces the file byte for byte. A file a person has edited is read as the plugin
// compiler would read it: code page 1251 or UTF-8 (with or without a byte-order mark),
// CRLF or LF, any spacing, blank lines, // and /* */ comments, a trailing comma, values on
// one line or many. Values are then taken without their surrounding blanks.

// Why the sources cannot be taken over; the text names the file, the line where there is one,
// and what was expected there.
struct SourceReadError {
    std::string file;       // "tarnek/skills.inl"
    std::int32_t line = 0;  // 1-based; 0 when the problem is the file as a whole
    std::string problem;
    std::string Text() const;
};

// Larger than any configuration the editor can write by far; a bigger file is refused
// unread rather than parsed, whatever it is.
inline constexpr std::uintmax_t kLargestPluginSource = 8U * 1024U * 1024U;

using PluginSourcesReading = Result<tarnekArrayStruct, SourceReadError>;

// Reads both files under pluginFolder/tarnek.
PluginSourcesReading ReadPluginSources(const std::filesystem::path& pluginFolder);

// The same from the files' contents as they lie on disk (any of the encodings above).
PluginSourcesReading ReadPluginSourceBytes(std::string_view baseHeader, std::string_view skillsInclude);

// One source file's bytes as they lie on disk, refused (named as `name`) when it is missing,
// not a regular file, a link loop, or larger than kLargestPluginSource.
Result<std::string, SourceReadError> ReadPluginSourceFile(const std::filesystem::path& file, std::string_view name);
