#pragma once

// The three outcomes a shell script can tell apart.
enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailed = 1,  // refused, declined or failed; nothing or only what was saved before the failure changed
    kExitUsage = 2,   // the command line itself is wrong; nothing was opened
};
