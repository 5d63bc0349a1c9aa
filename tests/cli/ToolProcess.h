#pragma once

#include <sys/types.h>

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

// Starts the tool with its output discarded, for a test that kills it; returns its pid.
pid_t StartBinary(const std::vector<std::string>& args);
// The exit status of a started run once it has ended; -1 when it did not exit normally.
int ExitStatus(pid_t pid);

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
