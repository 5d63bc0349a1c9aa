#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "MessageSink.h"
#include "ValueList.h"
#include "tarnekArrayStruct.h"

// Writes the plugin's generated sources, tarnek/base.h and tarnek/skills.inl, under the
// process's current directory: code page 1251, CRLF, no byte-order mark.
struct xpBaseStruct {
    virtual ~xpBaseStruct() = default;

    std::filesystem::path workDir;
    std::filesystem::path baseHeaderPath;
    std::filesystem::path skillsIncludePath;

    // Both report their own failures through the sink; true when the file was written.
    bool WriteBaseHeader(const tarnekArrayStruct& model, MessageSink& sink);
    bool WriteSkillsInclude(const tarnekArrayStruct& model, MessageSink& sink);

    // The text of each file as UTF-8, before conversion.
    static std::string BaseHeaderText(const tarnekArrayStruct& model);
    static std::string SkillsIncludeText(const tarnekArrayStruct& model);

    // "{v0,\r\nv1,\r\n...vN-1\r\n};"
    static std::string BuildArrayInitializer(const ValueList& list);

    // Converts UTF-8 text to code page 1251 and replaces the file whole.
    static bool WriteText(const std::filesystem::path& file, std::string_view utf8Text, MessageSink& sink);
};
