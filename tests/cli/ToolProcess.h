#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/support/TestFolder.h"

// Runs the real tarnek-levels binary the way a shell script would: stdin from a file (so
// never a terminal), stdout and stderr captured, in the test's current directory.

struct ToolResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

ToolResult RunBinary(const std::vector<std::string>& args, const std::string& input = {});

// A started run: its process id, on Windows its process handle.
using ToolRun = std::intptr_t;

// Starts the tool with its output discarded, for a test that kills it.
ToolRun StartBinary(const std::vector<std::string>& args);
// The exit status of a started run once it has ended; -1 when it did not exit normally.
int ExitStatus(ToolRun run);
// Ends a started run at once, with no chance to clean up (SIGKILL, TerminateProcess).
void Kill(ToolRun run);

// Sets (or with nullptr removes) a variable of this process's environment, which the
// runs started afterwards inherit.
void SetEnvironment(const char* name, const char* value);

// A generator seeded from the environment variable when it is set, at random otherwise;
// the seed is printed, so that a failing run can be repeated.
std::mt19937 SeededGenerator(const char* variable);

// A test folder holding the plugin's tarnek folder, as a plugin directory does.
struct PluginDir : TestFolder {
    PluginDir() { std::filesystem::create_directory(path() / "tarnek"); }
    // args with "-C" path() in front.
    ToolResult Run(std::vector<std::string> args, const std::string& input = {}) const
    {
        args.insert(args.begin(), {"-C", path().string()});
        return RunBinary(args, input);
    }
};
