#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string>

struct ToolStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool interactive = false;  // someone can answer a question on in and err
};

// Runs one command line of tarnek-levels (without the program name) and returns its exit
// status. -C changes the process's current directory, as the core works relative to it.
int RunTool(std::span<const std::string> args, ToolStreams& io);
