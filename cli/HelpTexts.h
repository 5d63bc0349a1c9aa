#pragma once

#include <string_view>

// The tool's help: what it is, the command list from the command table, the global options.
std::string_view ToolHelp();

// Each command's own help, ending in a newline.
extern const std::string_view kShowHelp;
extern const std::string_view kLevelsHelp;
extern const std::string_view kFillHelp;
extern const std::string_view kSetHelp;
extern const std::string_view kGenerateHelp;
extern const std::string_view kCompileHelp;
extern const std::string_view kExportHelp;
extern const std::string_view kImportHelp;
extern const std::string_view kProgressionHelp;
extern const std::string_view kAdoptHelp;
extern const std::string_view kFitHelp;
