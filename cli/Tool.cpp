#include "cli/Tool.h"

#include <filesystem>
#include <system_error>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/HelpTexts.h"
#include "cli/ToolCommand.h"
#include "pluginsrc/SystemFile.h"

namespace {

int ReportUsage(const UsageError& error, ToolStreams& io)
{
    io.err << "tarnek-levels: " << error.message << '\n';
    if (error.refusedValue)
        return kExitFailed;
    io.err << "Try \"tarnek-levels ";
    if (error.command)
        io.err << error.command->name << ' ';
    io.err << "--help\".\n";
    return kExitUsage;
}

bool EnterDirectories(const Invocation& inv, ToolStreams& io)
{
    for (const std::string& dir : inv.directories) {
        std::error_code ec;
        std::filesystem::current_path(PathFromUtf8(dir), ec);
        if (ec) {
            io.err << "tarnek-levels: cannot work in \"" << dir << "\": " << ec.message() << '\n';
            return false;
        }
    }
    return true;
}

// Anywhere else a command would create a settings database beside nothing and then fail
// to write the sources.
bool InPluginFolder(ToolStreams& io)
{
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    if (!ec && std::filesystem::is_directory(dir / "tarnek", ec))
        return true;
    io.err << "tarnek-levels: " << dir.string() << " is not a plugin folder (no tarnek/ inside); use -C DIR\n";
    return false;
}

}  // namespace

int RunTool(std::span<const std::string> args, ToolStreams& io)
{
    const auto parsed = ParseCommandLine(args);
    if (!parsed)
        return ReportUsage(parsed.failure(), io);
    const Invocation& inv = *parsed;
    if (inv.version) {
        io.out << "tarnek-levels " << TARNEK_VERSION << '\n';
        return kExitSuccess;
    }
    if (inv.help) {
        io.out << (inv.command ? inv.command->help : ToolHelp());
        return kExitSuccess;
    }

    // Every name is checked before anything is opened or created.
    const auto prepared = PrepareCommand(inv);
    if (!prepared)
        return ReportUsage(prepared.failure(), io);
    if (!EnterDirectories(inv, io) || !InPluginFolder(io))
        return kExitFailed;
    return inv.command->run(*prepared, io);
}
