#pragma once

#include <string_view>

#include "CommandLine.h"

// The tool's help (CommandKind::None) or one command's, ending in a newline.
std::string_view HelpText(CommandKind command);
