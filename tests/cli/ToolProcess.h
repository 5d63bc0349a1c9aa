#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Runs the real tarnek-levels binary the way a shell script would: stdin from a file (so
// never a terminal), stdout and stderr captured, in a directory of its own.

struct ToolResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

struct ToolRun {
    std::vector<std::string> args;
    std::string input;
    std::filesystem::path workDir;           // empty: the test's own
    std::vector<std::string> extraEnvironment;  // NAME=VALUE
};

ToolResult RunBinary(const ToolRun& run);

// Starts the tool with output discarded, for a test that kills it; returns its pid.
pid_t StartBinary(const std::vector<std::string>& args);

// A fresh directory with the plugin's tarnek folder, removed with everything in it.
class TempPluginDir {
public:
    TempPluginDir();
    ~TempPluginDir();
    TempPluginDir(const TempPluginDir&) = delete;
    TempPluginDir& operator=(const TempPluginDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path database() const;
    std::filesystem::path baseHeader() const;
    std::filesystem::path skillsInclude() const;

    // args with "-C" path() in front.
    ToolResult Run(std::vector<std::string> args, const std::string& input = {}) const;

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& file);  // "" when missing
void WriteFile(const std::filesystem::path& file, const std::string& text);

// Every table of an SQLite file, each as its rows in stored order, each row as its texts.
using TableRows = std::vector<std::vector<std::string>>;
std::map<std::string, TableRows> DatabaseRows(const std::filesystem::path& file);
