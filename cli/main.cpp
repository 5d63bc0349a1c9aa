#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "cli/Terminal.h"
#include "cli/Tool.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args = Utf8Arguments(argc, argv);
    ToolStreams io{std::cin, std::cout, std::cerr, StandardStreamsAreTerminal()};
    try {
        return RunTool(args, io);
    } catch (const std::exception& e) {
        // Whatever the core lets through (a list index out of range, memory): said, not a crash.
        std::cerr << "tarnek-levels: " << e.what() << '\n';
        return kExitFailed;
    }
}
