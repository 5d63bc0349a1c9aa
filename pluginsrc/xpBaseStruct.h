#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/MessageSink.h"
#include "model/ValueList.h"
#include "model/tarnekArrayStruct.h"
#include "pluginsrc/FileReplace.h"

// How the generated sources end their lines, as the plugin's own files do.
inline constexpr std::string_view kCrLf = "\r\n";

// Writes the plugin's generated sources, tarnek/base.h (the four XP arrays) and
// tarnek/skills.inl (the level constants and the skill arrays), under the process's current
// directory: code page 1251, CRLF line ends, no byte-order mark. Each file is replaced whole
// or not at all, so a failed save never leaves the plugin compiler a truncated source. The
// tarnek folder belongs to the plugin's source tree and is never created here.
struct xpBaseStruct {
    // Set by every write to the directory and the file it used, and kept afterwards.
    std::filesystem::path workDir;
    std::filesystem::path baseHeaderPath;
    std::filesystem::path skillsIncludePath;
    // A tarnek folder that refuses new files is mentioned once, not at every save.
    bool inPlaceWriteReported = false;

    // Each reports its own failure through the sink, once per file, and returns false; the
    // caller goes on with the other file either way. The model is only read. A model holding
    // a text that model/ValueTextRule.h refuses writes neither file, and the message names
    // the first such text; so does a link at the file's place that leads nowhere.
    bool WriteBaseHeader(const tarnekArrayStruct& model, MessageSink& sink);
    bool WriteSkillsInclude(const tarnekArrayStruct& model, MessageSink& sink);

    // The text of each file as UTF-8, before conversion. Model values go in verbatim.
    static std::string BaseHeaderText(const tarnekArrayStruct& model);
    static std::string SkillsIncludeText(const tarnekArrayStruct& model);

    // "{v0,\r\nv1,\r\n...vN-1\r\n};": the first value on the brace's line, one value per
    // line, no line break after "};". An empty list gives "{};".
    static std::string BuildArrayInitializer(const ValueList& list);

    // Converts UTF-8 text to code page 1251 and replaces the file whole. On failure shows
    // "Не может записать в файл (ошибка N): FILE\n" with the system's error code and returns false.
    // When method is given it tells whether the file had to be written over in place.
    static bool WriteText(const std::filesystem::path& file, std::string_view utf8Text, MessageSink& sink,
                          ReplaceMethod* method = nullptr);

private:
    bool WriteSource(const std::filesystem::path& file, std::string_view utf8Text, MessageSink& sink);
};
