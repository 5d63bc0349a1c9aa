#include "cli/CommandLine.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/ToolCommand.h"
#include "exchange/NameLookup.h"

namespace {

// "-5" or "-0.5" is a value (a chance or a level count someone mistyped), not an option.
bool LooksLikeOption(std::string_view arg)
{
    if (arg.size() < 2 || arg[0] != '-')
        return false;
    const char second = arg[1];
    return !(second >= '0' && second <= '9') && second != '.';
}

// The command line quotes what was typed in single quotes, as git does.
std::string Typed(std::string_view text)
{
    return Quoted(text, '\'');
}

UsageError Error(std::string message, const ToolCommand* command)
{
    return UsageError{std::move(message), command};
}

// Names a word that is no command, with the nearest one when some command is near.
UsageError NoCommand(std::string_view word)
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all{"help"};
        for (const ToolCommand& command : ToolCommands())
            all.push_back(command.name);
        return all;
    }();
    std::string message = "no command " + Typed(ShownName(word));
    const std::string_view nearest = NearestOf(word, names);
    if (!nearest.empty())
        message += "; did you mean '" + std::string(nearest) + "'?";
    return Error(std::move(message), nullptr);
}

// Whether arg is one of the command's own options; sets it when it is.
bool TakeOption(Invocation& inv, const std::string& arg)
{
    const ToolCommand& command = *inv.command;
    if (arg == "--json" && command.Takes(kJsonOption))
        inv.json = true;
    else if (arg == "--detach" && command.Takes(kDetachOption))
        inv.detach = true;
    else if ((arg == "--yes" || arg == "-y") && command.Takes(kYesOption))
        inv.yes = true;
    else if ((arg == "--dry-run" || arg == "-n") && command.Takes(kDryRunOption))
        inv.dryRun = true;
    else
        return false;
    return true;
}

// Whether args[i] is one of the command's options with a value; takes the value, from the
// word itself after '=' or from the next word (moving i on).
Result<bool, UsageError> TakeValueOption(Invocation& inv, std::span<const std::string> args, std::size_t& i)
{
    const std::string& arg = args[i];
    const std::size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    const auto& names = inv.command->valueOptions;
    if (std::find(names.begin(), names.end(), name) == names.end())
        return false;
    if (eq == std::string::npos && i + 1 == args.size())
        return Error(name + " needs a value", inv.command);
    inv.valueOptions.push_back({name, eq == std::string::npos ? args[++i] : arg.substr(eq + 1)});
    return true;
}

// Takes the command's options and positional operands from what follows its name.
Result<Invocation, UsageError> ParseCommandArguments(Invocation inv, std::span<const std::string> args)
{
    const ToolCommand* command = inv.command;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto valueOption = optionsEnded ? Result<bool, UsageError>(false) : TakeValueOption(inv, args, i);
        if (!valueOption)
            return valueOption.failure();
        if (*valueOption) {
            continue;
        } else if (optionsEnded) {
            operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            inv.help = true;
        } else if (!TakeOption(inv, arg)) {
            if (LooksLikeOption(arg))
                return Error("unknown option " + Typed(ShownName(arg)) + " for " + std::string(command->name), command);
            operands.push_back(arg);
        }
    }
    if (inv.help)
        return inv;  // the help is shown whatever else was typed
    if (inv.json && inv.detach)
        return Error("compile --detach does not wait for a result to print as --json", command);
    if (auto taken = command->takeOperands(inv, operands); !taken)
        return taken.failure();
    return inv;
}

}  // namespace

UsageCheck TakeNoOperands(Invocation& inv, std::span<const std::string> operands)
{
    if (!operands.empty())
        return Error(std::string(inv.command->name) + " takes no arguments, got " + Typed(operands.front()),
                     inv.command);
    return Done{};
}

UsageCheck TakeLevelCount(Invocation& inv, std::span<const std::string> operands)
{
    if (operands.empty())
        return Error("levels needs the level count N", inv.command);
    if (operands.size() > 1)
        return Error("levels takes one level count, got also " + Typed(operands[1]), inv.command);
    inv.levelCount = operands[0];
    return Done{};
}

UsageCheck TakeFillOperands(Invocation& inv, std::span<const std::string> operands)
{
    if (operands.empty())
        return Error("fill needs the name of a list", inv.command);
    inv.target = operands[0];
    for (const std::string& op : operands.subspan(1)) {
        const std::size_t eq = op.find('=');
        if (eq == std::string::npos || eq == 0)
            return Error("fill expects NAME=VALUE after the list, got " + Typed(op), inv.command);
        inv.assignments.push_back({op.substr(0, eq), op.substr(eq + 1)});
    }
    return Done{};
}

UsageCheck TakeSetOperands(Invocation& inv, std::span<const std::string> operands)
{
    if (operands.size() != 2)
        return Error("set needs NAME and VALUE (quote a VALUE that holds spaces; an empty one is '')", inv.command);
    inv.target = operands[0];
    inv.value = operands[1];
    return Done{};
}

UsageCheck TakeFileOperand(Invocation& inv, std::span<const std::string> operands)
{
    if (operands.size() > 1)
        return Error(std::string(inv.command->name) + " takes at most one FILE, got also " + Typed(operands[1]),
                     inv.command);
    if (!operands.empty() && operands[0] != "-")
        inv.file = operands[0];
    return Done{};
}

Result<Invocation, UsageError> ParseCommandLine(std::span<const std::string> args)
{
    Invocation inv;
    std::size_t i = 0;
    // Global options come before the command, as in git.
    while (i < args.size()) {
        const std::string& arg = args[i];
        if (arg == "-C") {
            if (i + 1 >= args.size())
                return Error("-C needs a directory", nullptr);
            if (args[i + 1].empty())
                return Error("-C needs a non-empty directory", nullptr);
            inv.directories.push_back(args[i + 1]);
            i += 2;
        } else if (arg == "--help" || arg == "-h") {
            inv.help = true;
            ++i;
        } else if (arg == "--version") {
            inv.version = true;  // whatever follows, as --help
            return inv;
        } else if (LooksLikeOption(arg)) {
            return Error("unknown option " + Typed(ShownName(arg)), nullptr);
        } else {
            break;
        }
    }
    if (i == args.size()) {
        if (inv.help)
            return inv;
        return Error("no command given", nullptr);
    }

    const std::string& word = args[i];
    if (word == "help") {
        // "help [COMMAND]": the same texts as --help.
        inv.help = true;
        if (i + 1 < args.size()) {
            inv.command = FindCommand(args[i + 1]);
            if (!inv.command)
                return NoCommand(args[i + 1]);
        }
        if (i + 2 < args.size())
            return Error("help takes at most one command", nullptr);
        return inv;
    }
    inv.command = FindCommand(word);
    if (!inv.command)
        return NoCommand(word);
    return ParseCommandArguments(std::move(inv), args.subspan(i + 1));
}
