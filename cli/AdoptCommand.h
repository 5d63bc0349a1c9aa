#pragma once

#include "Tool.h"

// tarnek-levels adopt [--dry-run]: the plugin's own sources taken over into the
// configuration. Returns the exit status.
int AdoptCommand(bool dryRun, ToolStreams& io);
