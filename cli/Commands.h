#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Tool.h"
#include "exchange/NameLookup.h"
#include "model/ProgressionFit.h"
#include "model/Result.h"

// A command line whose names are resolved and whose values are acceptable, so that a
// mistake there is reported before the database is opened or created.
struct PreparedCommand {
    Invocation invocation;
    std::optional<NamedValue> target;                             // fill LIST, set NAME
    std::vector<std::pair<NamedValue, std::string>> assignments;  // fill NAME=VALUE
    std::int32_t levelCount = 0;                                  // levels N
    FitRequest fit;                                               // fit; level 0: the top level
    std::optional<double> fitHours;                               // fit --hours H, with --kills-per-hour K
    double fitKillsPerHour = 0;
};

// Runs the command's own preparation, where it has one.
Result<PreparedCommand, UsageError> PrepareCommand(const Invocation& inv);

// The preparations of the commands that name values.
UsageCheck PrepareLevels(PreparedCommand& prepared);
UsageCheck PrepareFill(PreparedCommand& prepared);
UsageCheck PrepareSet(PreparedCommand& prepared);

// The commands' bodies, run on the current directory; each returns the exit status.
int ShowCommand(const PreparedCommand& command, ToolStreams& io);
int LevelsCommand(const PreparedCommand& command, ToolStreams& io);
int FillCommand(const PreparedCommand& command, ToolStreams& io);
int SetCommand(const PreparedCommand& command, ToolStreams& io);
int GenerateCommand(const PreparedCommand& command, ToolStreams& io);
int CompileCommand(const PreparedCommand& command, ToolStreams& io);
int ExportCommand(const PreparedCommand& command, ToolStreams& io);
int ImportCommand(const PreparedCommand& command, ToolStreams& io);
int ProgressionCommand(const PreparedCommand& command, ToolStreams& io);
