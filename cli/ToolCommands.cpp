#include "cli/ToolCommand.h"

#include <array>

#include "cli/AdoptCommand.h"
#include "cli/Commands.h"
#include "cli/FitCommand.h"
#include "cli/HelpTexts.h"

namespace {

const std::array<ToolCommand, 11> kCommands{{
    {.name = "show",
     .synopsis = "show [--json]",
     .summary = "print the whole configuration",
     .help = kShowHelp,
     .options = kJsonOption,
     .takeOperands = TakeNoOperands,
     .run = ShowCommand},
    {.name = "levels",
     .synopsis = "levels N [--yes]",
     .summary = "set N levels and recompute every list",
     .help = kLevelsHelp,
     .options = kYesOption,
     .takeOperands = TakeLevelCount,
     .prepare = PrepareLevels,
     .run = LevelsCommand},
    {.name = "fill",
     .synopsis = "fill LIST [NAME=VALUE ...]",
     .summary = "set parameters, then run LIST's fill rule and save",
     .help = kFillHelp,
     .takeOperands = TakeFillOperands,
     .prepare = PrepareFill,
     .run = FillCommand},
    {.name = "set",
     .synopsis = "set NAME VALUE",
     .summary = "set a parameter, devotionValue or one value LIST[i]",
     .help = kSetHelp,
     .takeOperands = TakeSetOperands,
     .prepare = PrepareSet,
     .run = SetCommand},
    {.name = "generate",
     .synopsis = "generate",
     .summary = "rewrite tarnek/base.h and tarnek/skills.inl",
     .help = kGenerateHelp,
     .takeOperands = TakeNoOperands,
     .run = GenerateCommand},
    {.name = "compile",
     .synopsis = "compile [--json] [--detach]",
     .summary = "save, delete the old plugin, compile and report",
     .help = kCompileHelp,
     .options = kJsonOption | kDetachOption,
     .takeOperands = TakeNoOperands,
     .run = CompileCommand},
    {.name = "export",
     .synopsis = "export [FILE]",
     .summary = "whole configuration as JSON (stdout without FILE)",
     .help = kExportHelp,
     .takeOperands = TakeFileOperand,
     .run = ExportCommand},
    {.name = "import",
     .synopsis = "import [FILE]",
     .summary = "replace the whole configuration from JSON (stdin\n"
                "                               without FILE)",
     .help = kImportHelp,
     .takeOperands = TakeFileOperand,
     .run = ImportCommand},
    {.name = "progression",
     .synopsis = "progression [--json]",
     .summary = "kills to reach each level, in both XP modes",
     .help = kProgressionHelp,
     .options = kJsonOption,
     .takeOperands = TakeNoOperands,
     .run = ProgressionCommand},
    {.name = "fit",
     .synopsis = "fit MODE --hours H ...",
     .summary = "choose an XP parameter from how long the climb\n"
                "                               should take, fill and save",
     .help = kFitHelp,
     .options = kJsonOption | kDryRunOption,
     .takeOperands = TakeFitOperands,
     .prepare = PrepareFit,
     .run = FitCommand,
     .valueOptions = kFitValueOptions},
    {.name = "adopt",
     .synopsis = "adopt [--dry-run]",
     .summary = "take the values of tarnek/base.h and\n"
                "                               tarnek/skills.inl over into the configuration",
     .help = kAdoptHelp,
     .options = kDryRunOption,
     .takeOperands = TakeNoOperands,
     .run = AdoptCommand},
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
