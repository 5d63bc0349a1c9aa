#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "CommandLine.h"
#include "NameLookup.h"
#include "Tool.h"

// A command line whose names are resolved and whose values are acceptable, so that a
// mistake there is reported before the database is opened or created.
struct PreparedCommand {
    Invocation invocation;
    std::optional<NamedValue> target;                          // fill LIST, set NAME
    std::vector<std::pair<NamedValue, std::string>> assignments;  // fill NAME=VALUE
    std::int32_t levelCount = 0;                               // levels N
};

std::variant<PreparedCommand, UsageError> PrepareCommand(const Invocation& inv);

// Runs the command on the current directory; returns the exit status.
int RunCommand(const PreparedCommand& command, ToolStreams& io);
