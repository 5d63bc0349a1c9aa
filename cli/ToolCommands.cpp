#include "ToolCommand.h"

#include <array>

#include "AdoptCommand.h"
#include "Commands.h"
#include "HelpTexts.h"

namespace {

const std::array<ToolCommand, 10> kCommands{{
    {"show", "show [--json]", "print the whole configuration", kShowHelp, kJsonOption, TakeNoOperands, nullptr,
     ShowCommand},
    {"levels", "levels N [--yes]", "set N levels and recompute every list", kLevelsHelp, kYesOption, TakeLevelCount,
     PrepareLevels, LevelsCommand},
    {"fill", "fill LIST [NAME=VALUE ...]", "set parameters, then run LIST's fill rule and save", kFillHelp,
     kNoOptions, TakeFillOperands, PrepareFill, FillCommand},
    {"set", "set NAME VALUE", "set a parameter, devotionValue or one value LIST[i]", kSetHelp, kNoOptions,
     TakeSetOperands, PrepareSet, SetCommand},
    {"generate", "generate", "rewrite tarnek/base.h and tarnek/skills.inl", kGenerateHelp, kNoOptions,
     TakeNoOperands, nullptr, GenerateCommand},
    {"compile", "compile [--json] [--detach]", "save, delete the old plugin, compile and report", kCompileHelp,
     kJsonOption | kDetachOption, TakeNoOperands, nullptr, CompileCommand},
    {"export", "export [FILE]", "whole configuration as JSON (stdout without FILE)", kExportHelp, kNoOptions,
     TakeFileOperand, nullptr, ExportCommand},
    {"import", "import [FILE]",
     "replace the whole configuration from JSON (stdin\n"
     "                               without FILE)",
     kImportHelp, kNoOptions, TakeFileOperand, nullptr, ImportCommand},
    {"progression", "progression [--json]", "kills to reach each level, in both XP modes", kProgressionHelp,
     kJsonOption, TakeNoOperands, nullptr, ProgressionCommand},
    {"adopt", "adopt [--dry-run]",
     "take the values of tarnek/base.h and\n"
     "                               tarnek/skills.inl over into the configuration",
     kAdoptHelp, kDryRunOption, TakeNoOperands, nullptr, AdoptCommand},
}};

}  // namespace

std::span<const ToolCommand> ToolCommands()
{
    return kCommands;
}

const ToolCommand* FindCommand(std::string_view name)
{
    for (const ToolCommand& command : kCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}
