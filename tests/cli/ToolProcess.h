#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "TestFolder.h"

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
