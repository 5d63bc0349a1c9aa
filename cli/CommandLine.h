#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Result.h"

struct ToolCommand;

struct Assignment {
    std::string name;
    std::string value;
};

// One parsed command line. Names are not resolved here: that is NameLookup's job, so
// that a misspelt name and a misplaced option get different messages.
struct Invocation {
    std::vector<std::string> directories;  // every -C DIR, applied in order
    const ToolCommand* command = nullptr;  // none: the tool's own help or version
    bool help = false;
    bool version = false;                 // --version, before any command
    bool json = false;                    // show, progression, fit and compile --json
    bool detach = false;                  // compile --detach
    bool yes = false;                     // levels --yes
    bool dryRun = false;                  // adopt and fit --dry-run
    std::string levelCount;               // levels N, as typed
    std::string target;                   // fill LIST, set NAME, fit MODE
    std::string value;                    // set NAME VALUE
    std::vector<Assignment> assignments;  // fill LIST NAME=VALUE...
    std::optional<std::string> file;      // export/import FILE; none or "-" is the standard stream
    // fit --hours H and the other options with a value: each as named, its value as typed.
    std::vector<Assignment> valueOptions;
};

struct UsageError {
    std::string message;
    const ToolCommand* command = nullptr;  // whose help to point at
    // A well-formed command line whose value the editor refuses (one that could carry code
    // into the plugin): said without pointing at the help, and the run counts as refused.
    bool refusedValue = false;
};

using UsageCheck = Result<Done, UsageError>;

// args excludes the program name.
Result<Invocation, UsageError> ParseCommandLine(std::span<const std::string> args);

// How each command takes its operands (the words that are not options) into the invocation.
UsageCheck TakeNoOperands(Invocation& inv, std::span<const std::string> operands);
UsageCheck TakeLevelCount(Invocation& inv, std::span<const std::string> operands);
UsageCheck TakeFillOperands(Invocation& inv, std::span<const std::string> operands);
UsageCheck TakeSetOperands(Invocation& inv, std::span<const std::string> operands);
UsageCheck TakeFileOperand(Invocation& inv, std::span<const std::string> operands);
