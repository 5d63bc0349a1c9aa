#pragma once

#include <span>
#include <string_view>

#include "cli/CommandLine.h"

struct PreparedCommand;
struct ToolStreams;

// The options a command takes besides -h/--help.
enum CommandOption : unsigned {
    kNoOptions = 0,
    kJsonOption = 1U << 0U,    // --json
    kDetachOption = 1U << 1U,  // --detach
    kYesOption = 1U << 2U,     // -y, --yes
    kDryRunOption = 1U << 3U,  // -n, --dry-run
};

// One command of tarnek-levels. Parsing, help, "did you mean" and running all read the one
// table of these, so that a command is added by adding a row.
struct ToolCommand {
    std::string_view name;
    std::string_view synopsis;  // its line in the tool's help, as "show [--json]"
    std::string_view summary;   // beside it, continued lines already indented
    std::string_view help;      // its own help, ending in a newline
    unsigned options = kNoOptions;
    UsageCheck (*takeOperands)(Invocation&, std::span<const std::string>) = nullptr;
    // Resolves names and checks values before anything is opened; null when nothing needs it.
    UsageCheck (*prepare)(PreparedCommand&) = nullptr;
    int (*run)(const PreparedCommand&, ToolStreams&) = nullptr;  // gives the exit status
    // Options that take a value, as "--hours 800" or "--hours=800".
    std::span<const std::string_view> valueOptions = {};

    bool Takes(CommandOption option) const { return (options & option) != 0; }
};

// In the order the tool's help lists them.
std::span<const ToolCommand> ToolCommands();

// Null when no command has this name.
const ToolCommand* FindCommand(std::string_view name);
