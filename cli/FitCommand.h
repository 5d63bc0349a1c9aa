#pragma once

#include <span>
#include <string>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Tool.h"

// tarnek-levels fit MODE (--hours H --kills-per-hour K | --kills N) [--level N]
// [--parameter NAME] [--dry-run] [--json]: the fill parameter whose fill makes the climb
// take that long, set and filled in one saved command.

inline constexpr std::string_view kFitValueOptions[] = {"--hours", "--kills-per-hour", "--kills", "--level",
                                                        "--parameter"};

UsageCheck TakeFitOperands(Invocation& inv, std::span<const std::string> operands);
// The mode, the target and the parameter, checked before the database is opened.
UsageCheck PrepareFit(PreparedCommand& prepared);
int FitCommand(const PreparedCommand& command, ToolStreams& io);
