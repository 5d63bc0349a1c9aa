#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

enum class CommandKind { None, Show, Levels, Fill, Set, Generate, Compile, Export, Import, Progression };

struct Assignment {
    std::string name;
    std::string value;
};

// One parsed command line. Names are not resolved here: that is NameLookup's job, so
// that a misspelt name and a misplaced option get different messages.
struct Invocation {
    std::vector<std::string> directories;  // every -C DIR, applied in order
    CommandKind command = CommandKind::None;
    bool help = false;
    bool version = false;                  // --version, before any command
    bool json = false;                     // show, progression and compile --json
    bool detach = false;                   // compile --detach
    bool yes = false;                      // levels --yes
    std::string levelCount;                // levels N, as typed
    std::string target;                    // fill LIST, set NAME
    std::string value;                     // set NAME VALUE
    std::vector<Assignment> assignments;   // fill LIST NAME=VALUE...
    std::optional<std::string> file;       // export/import FILE; none or "-" is the standard stream
};

struct UsageError {
    std::string message;
    CommandKind command = CommandKind::None;  // whose help to point at
};

// args excludes the program name.
std::variant<Invocation, UsageError> ParseCommandLine(std::span<const std::string> args);

std::string_view CommandName(CommandKind command);
std::optional<CommandKind> FindCommand(std::string_view name);
