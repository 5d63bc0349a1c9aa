#include "CommandLine.h"

#include <array>
#include <utility>
#include <vector>

#include "NameLookup.h"

namespace {

struct CommandEntry {
    CommandKind kind;
    std::string_view name;
};

constexpr std::array<CommandEntry, 9> kCommands{{
    {CommandKind::Show, "show"},
    {CommandKind::Levels, "levels"},
    {CommandKind::Fill, "fill"},
    {CommandKind::Set, "set"},
    {CommandKind::Generate, "generate"},
    {CommandKind::Compile, "compile"},
    {CommandKind::Export, "export"},
    {CommandKind::Import, "import"},
    {CommandKind::Progression, "progression"},
}};

// "-5" or "-0.5" is a value (a chance or a level count someone mistyped), not an option.
bool LooksLikeOption(std::string_view arg)
{
    if (arg.size() < 2 || arg[0] != '-')
        return false;
    const char second = arg[1];
    return !(second >= '0' && second <= '9') && second != '.';
}

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

UsageError Error(std::string message, CommandKind command)
{
    return UsageError{std::move(message), command};
}

// Names a word that is no command, with the nearest one when some command is near.
UsageError NoCommand(std::string_view word)
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all{"help"};
        for (const CommandEntry& entry : kCommands)
            all.push_back(entry.name);
        return all;
    }();
    std::string message = "no command " + Quoted(ShownName(word));
    const std::string_view nearest = NearestOf(word, names);
    if (!nearest.empty())
        message += "; did you mean '" + std::string(nearest) + "'?";
    return Error(std::move(message), CommandKind::None);
}

// Takes the command's options and positional operands from args[first..].
std::variant<Invocation, UsageError> ParseCommandArguments(Invocation inv, std::span<const std::string> args)
{
    const CommandKind command = inv.command;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            inv.help = true;
        } else if (!optionsEnded && arg == "--json" &&
                   (command == CommandKind::Show || command == CommandKind::Progression ||
                    command == CommandKind::Compile)) {
            inv.json = true;
        } else if (!optionsEnded && command == CommandKind::Compile && arg == "--detach") {
            inv.detach = true;
        } else if (!optionsEnded && command == CommandKind::Levels && (arg == "--yes" || arg == "-y")) {
            inv.yes = true;
        } else if (!optionsEnded && LooksLikeOption(arg)) {
            return Error("unknown option " + Quoted(ShownName(arg)) + " for " + std::string(CommandName(command)), command);
        } else {
            operands.push_back(arg);
        }
    }
    if (inv.help)
        return inv;  // the help is shown whatever else was typed

    const std::string name(CommandName(command));
    auto expectNone = [&]() -> std::optional<UsageError> {
        if (!operands.empty())
            return Error(name + " takes no arguments, got " + Quoted(operands.front()), command);
        return std::nullopt;
    };

    if (inv.json && inv.detach)
        return Error("compile --detach does not wait for a result to print as --json", command);

    switch (command) {
    case CommandKind::Show:
    case CommandKind::Generate:
    case CommandKind::Compile:
    case CommandKind::Progression:
        if (auto error = expectNone())
            return *error;
        break;
    case CommandKind::Levels:
        if (operands.empty())
            return Error("levels needs the level count N", command);
        if (operands.size() > 1)
            return Error("levels takes one level count, got also " + Quoted(operands[1]), command);
        inv.levelCount = operands[0];
        break;
    case CommandKind::Fill:
        if (operands.empty())
            return Error("fill needs the name of a list", command);
        inv.target = operands[0];
        for (std::size_t i = 1; i < operands.size(); ++i) {
            const std::string& op = operands[i];
            const std::size_t eq = op.find('=');
            if (eq == std::string::npos || eq == 0)
                return Error("fill expects NAME=VALUE after the list, got " + Quoted(op), command);
            inv.assignments.push_back({op.substr(0, eq), op.substr(eq + 1)});
        }
        break;
    case CommandKind::Set:
        if (operands.size() != 2)
            return Error("set needs NAME and VALUE (quote a VALUE that holds spaces; an empty one is '')", command);
        inv.target = operands[0];
        inv.value = operands[1];
        break;
    case CommandKind::Export:
    case CommandKind::Import:
        if (operands.size() > 1)
            return Error(name + " takes at most one FILE, got also " + Quoted(operands[1]), command);
        if (!operands.empty() && operands[0] != "-")
            inv.file = operands[0];
        break;
    case CommandKind::None:
        break;
    }
    return inv;
}

}  // namespace

std::string_view CommandName(CommandKind command)
{
    for (const CommandEntry& entry : kCommands)
        if (entry.kind == command)
            return entry.name;
    return {};
}

std::optional<CommandKind> FindCommand(std::string_view name)
{
    for (const CommandEntry& entry : kCommands)
        if (entry.name == name)
            return entry.kind;
    return std::nullopt;
}

std::variant<Invocation, UsageError> ParseCommandLine(std::span<const std::string> args)
{
    Invocation inv;
    std::size_t i = 0;
    // Global options come before the command, as in git.
    while (i < args.size()) {
        const std::string& arg = args[i];
        if (arg == "-C") {
            if (i + 1 >= args.size())
                return Error("-C needs a directory", CommandKind::None);
            if (args[i + 1].empty())
                return Error("-C needs a non-empty directory", CommandKind::None);
            inv.directories.push_back(args[i + 1]);
            i += 2;
        } else if (arg == "--help" || arg == "-h") {
            inv.help = true;
            ++i;
        } else if (arg == "--version") {
            inv.version = true;  // whatever follows, as --help
            return inv;
        } else if (LooksLikeOption(arg)) {
            return Error("unknown option " + Quoted(ShownName(arg)), CommandKind::None);
        } else {
            break;
        }
    }
    if (i == args.size()) {
        if (inv.help)
            return inv;
        return Error("no command given", CommandKind::None);
    }

    const std::string& word = args[i];
    if (word == "help") {
        // "help [COMMAND]": the same texts as --help.
        inv.help = true;
        if (i + 1 < args.size()) {
            const auto command = FindCommand(args[i + 1]);
            if (!command)
                return NoCommand(args[i + 1]);
            inv.command = *command;
        }
        if (i + 2 < args.size())
            return Error("help takes at most one command", CommandKind::None);
        return inv;
    }
    const auto command = FindCommand(word);
    if (!command)
        return NoCommand(word);
    inv.command = *command;
    return ParseCommandArguments(std::move(inv), args.subspan(i + 1));
}
