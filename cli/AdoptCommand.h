#pragma once

#include "cli/Commands.h"
#include "cli/Tool.h"
#include "model/MessageSink.h"
#include "model/tarnekArrayStruct.h"

// tarnek-levels adopt [--dry-run]: the plugin's own sources taken over into the
// configuration. Returns the exit status.
int AdoptCommand(const PreparedCommand& command, ToolStreams& io);

// For a run that has just created the database from the carried copy: when the plugin's
// sources hold settings of their own, keeps them as .orig and, with hint, points at adopt.
void KeepOwnSourcesOfAFirstRun(const tarnekArrayStruct& carried, MessageSink& sink, bool hint);
