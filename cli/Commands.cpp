#include "cli/Commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "cli/CommandSession.h"
#include "cli/CompileReport.h"
#include "cli/ConfigurationListing.h"
#include "cli/ExitStatus.h"
#include "cli/ProgressionListing.h"
#include "cli/StreamMessageSink.h"
#include "cli/ToolCommand.h"
#include "exchange/ConfigurationJson.h"
#include "exchange/ValueText.h"
#include "model/Descriptors.h"
#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/PluginNumbers.h"
#include "model/TextReadings.h"
#include "pluginsrc/FileReplace.h"
#include "pluginsrc/PluginCompiler.h"
#include "pluginsrc/SystemFile.h"

namespace {

std::string WindowName(Tier tier)
{
    if (tier == Tier::Xp)
        return "the main window";
    return "the tier-" + FormatInteger(static_cast<std::int32_t>(tier)) + " skill window";
}

int Fail(ToolStreams& io, std::string_view command, const std::string& text)
{
    io.err << "tarnek-levels: " << command << ": " << text << '\n';
    return kExitFailed;
}

// The editor marks such a cell in its grid; here it is said once per cell, and kept all the same.
void WarnIfPluginRejects(ToolStreams& io, std::string_view command, const std::string& cell, const std::string& value,
                         const ListDescriptor& list)
{
    if (auto reason = CheckPluginNumber(value, list.kind))
        io.err << "tarnek-levels: " << command << ": warning: " << cell << " " << Quoted(value) << ": " << *reason
               << '\n';
}

int Finish(const StreamMessageSink& sink)
{
    return sink.failureShown() ? kExitFailed : kExitSuccess;
}

// Writes the text to standard output; a full disk or a closed pipe is said, not only
// reflected in the exit status.
int Print(ToolStreams& io, std::string_view command, std::string_view text, const StreamMessageSink& sink)
{
    errno = 0;
    io.out << text;
    io.out.flush();
    if (io.out)
        return Finish(sink);
    const int error = errno;
    return Fail(io, command,
                std::string("cannot write to standard output") +
                    (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
}

UsageCheck CheckValue(std::string_view name, std::string_view value, const ToolCommand* command)
{
    if (const auto checked = CheckValueText(value); !checked)
        return UsageError{"the value for " + Quoted(name) + " " + checked.failure().text, command, true};
    return Done{};
}

bool IsDecimalInteger(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

Result<NamedValue, UsageError> Resolve(std::string_view name, const ToolCommand* command)
{
    auto resolved = ResolveName(name);
    if (!resolved)
        return UsageError{resolved.failure().text, command};
    return *resolved;
}

// A skill tier's own save writes no source; the tool rewrites both after it all the same,
// so that files and database agree.
SaveScope ScopeOwnedBy(Tier tier)
{
    return tier == Tier::Xp ? SaveScope::MainWindow() : SaveScope::OfTier(tier, true);
}

// A save whose database part was rolled back writes no source, and the run fails.
int Finish(const StreamMessageSink& sink, const SaveReport& report)
{
    return report.outcome == SaveOutcome::Saved ? Finish(sink) : kExitFailed;
}

bool Confirmed(ToolStreams& io)
{
    io.err << kLevelQuestionCaption << ':' << kLevelQuestionText << " [y/N] ";
    io.err.flush();
    std::string answer;
    if (!std::getline(io.in, answer))
        return false;
    while (!answer.empty() && (answer.back() == '\r' || answer.back() == ' '))
        answer.pop_back();
    for (std::string_view yes : {"y", "Y", "yes", "Yes", "YES", "д", "Д", "да", "Да", "ДА"})
        if (answer == yes)
            return true;
    return false;
}

// A file is replaced whole, so a full disk leaves the previous export; a device or a pipe
// (/dev/stdout, a named pipe) cannot be replaced and is written to as it is.
Result<Done, SystemError> WriteExportFile(const std::filesystem::path& file, const std::string& text)
{
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) {
        const auto replaced = ReplaceFileContents(file, text);
        if (!replaced)
            return replaced.failure();
        return Done{};
    }
    std::ofstream stream(file, std::ios::binary);
    if (stream)
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.close();
    if (!stream)
        return SystemError{errno != 0 ? errno : EIO, false};
    return Done{};
}

// No more than one byte beyond the largest configuration: what is longer is refused unread.
std::string ReadConfigurationText(std::istream& in)
{
    std::string text(kLargestConfigurationText + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

UsageCheck PrepareLevels(PreparedCommand& prepared)
{
    const Invocation& inv = prepared.invocation;
    if (!IsDecimalInteger(inv.levelCount))
        return UsageError{"the level count must be a whole number, got " + Quoted(inv.levelCount), inv.command};
    prepared.levelCount = ReadInteger(inv.levelCount);
    return Done{};
}

// The fill button of a window takes every box of that window into the model first, so a
// fill may set exactly those: the list's own tier's parameters and devotionValue in tier 2.
UsageCheck PrepareFill(PreparedCommand& prepared)
{
    const Invocation& inv = prepared.invocation;
    const ToolCommand* fill = inv.command;
    const auto list = Resolve(inv.target, fill);
    if (!list)
        return list.failure();
    const NamedValue& target = *list;
    if (target.kind != NameKind::List)
        return UsageError{Quoted(inv.target) + " is not a list; fill regenerates one of the 31 lists, such as "
                                               "xpLevelSaved or vampiricList",
                          fill};
    prepared.target = target;

    for (const Assignment& assignment : inv.assignments) {
        const auto resolved = Resolve(assignment.name, fill);
        if (!resolved)
            return resolved.failure();
        const NamedValue& name = *resolved;
        if (name.kind == NameKind::List || name.kind == NameKind::Cell)
            return UsageError{"fill sets parameter texts; " + Quoted(assignment.name) +
                                  " is a list value (use \"set\" for one value)",
                              fill};
        // A fill regenerates one list; a new count would leave every other list at the old one.
        if (name.single == &LevelCountValue())
            return UsageError{"a fill keeps the level count; change it with \"levels N\", which recomputes "
                              "every list",
                              fill};
        if (name.tier != target.tier)
            return UsageError{Quoted(assignment.name) + " belongs to " + WindowName(name.tier) + ", " +
                                  Quoted(target.field) + " to " + WindowName(target.tier) +
                                  "; set it with \"set\" or with a fill of its own window",
                              fill};
        if (auto checked = CheckValue(assignment.name, assignment.value, fill); !checked)
            return checked;
        prepared.assignments.emplace_back(name, assignment.value);
    }
    return Done{};
}

UsageCheck PrepareSet(PreparedCommand& prepared)
{
    const Invocation& inv = prepared.invocation;
    const auto resolved = Resolve(inv.target, inv.command);
    if (!resolved)
        return resolved.failure();
    const NamedValue& name = *resolved;
    if (name.kind == NameKind::List)
        return UsageError{Quoted(inv.target) + " is a list: set one value as " + std::string(name.field) +
                              "[i], or regenerate it with fill",
                          inv.command};
    if (name.kind == NameKind::Single && name.single == &LevelCountValue())
        return UsageError{"the level count is changed with \"levels N\", which also recomputes every list",
                          inv.command};
    if (auto checked = CheckValue(inv.target, inv.value, inv.command); !checked)
        return checked;
    prepared.target = name;
    return Done{};
}

Result<PreparedCommand, UsageError> PrepareCommand(const Invocation& inv)
{
    PreparedCommand prepared;
    prepared.invocation = inv;
    if (inv.command->prepare)
        if (auto checked = inv.command->prepare(prepared); !checked)
            return checked.failure();
    return prepared;
}

int ShowCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        if (!command.invocation.json)
            return Print(io, "show", ConfigurationListing(session.configuration()), sink);
        const auto json = ConfigurationToJson(session.configuration());
        if (!json)
            return Fail(io, "show", json.failure().text);
        return Print(io, "show", *json, sink);
    });
}

int ProgressionCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        const tarnekArrayStruct& model = session.configuration();
        io.out << (command.invocation.json ? ProgressionJson(model) : ProgressionTable(model));
        io.out.flush();
        return io.out ? Finish(sink) : kExitFailed;
    });
}

int LevelsCommand(const PreparedCommand& command, ToolStreams& io)
{
    const std::int32_t n = command.levelCount;
    if (const auto allowed = CheckLevelCountChange(n); !allowed) {
        io.err << kLevelRefusalCaption << ": " << allowed.failure().text << '\n';
        return kExitFailed;
    }
    if (const auto offered = CheckLevelCountText(FormatInteger(n)); !offered)
        return Fail(io, "levels", offered.failure().text + "; nothing changed");

    if (!command.invocation.yes) {
        if (!io.interactive)
            return Fail(io, "levels",
                        "all lists would be recomputed, and there is no terminal to ask on; nothing changed. "
                        "Add --yes to recompute them for " +
                            FormatInteger(n) + " levels.");
        if (!Confirmed(io))
            return kExitFailed;
    }

    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        const SaveReport report = session.Update(SaveScope::MainWindow(), [n](EditingSession& s) {
            s.ChangeLevelCount({{LevelCountValue().text, FormatInteger(n)}});
            return true;
        });
        return Finish(sink, report);
    });
}

int FillCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        std::vector<TextAssignment> texts;
        for (const auto& [name, value] : command.assignments)
            texts.emplace_back(TextFieldOf(name), value);
        const std::size_t list = command.target->index;
        const SaveReport report = session.Update(ScopeOwnedBy(ValueLists()[list].tier), [&](EditingSession& s) {
            s.Fill(list, texts);
            return true;
        });
        return Finish(sink, report);
    });
}

int SetCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        const NamedValue& name = *command.target;
        const std::string& value = command.invocation.value;

        std::string outOfRange;
        const SaveReport report = session.Update(ScopeOwnedBy(name.tier), [&](EditingSession& s) {
            if (name.kind != NameKind::Cell) {
                s.SetTexts({{TextFieldOf(name), value}});
                return true;
            }
            const ValueList& list = s.configuration().*(ValueLists()[name.index].list);
            if (name.cell >= list.size()) {
                const std::string field(name.field);
                outOfRange = list.empty() ? field + " is empty"
                                          : field + " has " + FormatCount(list.size()) + " values, " + field +
                                                "[0] to " + field + "[" + FormatCount(list.size() - 1) + "]";
                return false;
            }
            s.SetCells(name.index, name.cell, {value});
            return true;
        });
        if (!outOfRange.empty())
            return Fail(io, "set", outOfRange + "; " + command.invocation.target + " does not exist, nothing changed");

        if (name.kind == NameKind::Cell)
            WarnIfPluginRejects(io, "set", command.invocation.target, value, ValueLists()[name.index]);
        return Finish(sink, report);
    });
}

int GenerateCommand(const PreparedCommand&, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        const bool written = session.WriteStoredSources();
        return written ? Finish(sink) : kExitFailed;
    });
}

int CompileCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        const SaveReport report = session.Update(SaveScope::MainWindow(), [](EditingSession&) { return true; });
        if (report.outcome != SaveOutcome::Saved)
            return kExitFailed;

        std::error_code ec;
        const std::filesystem::path dir = std::filesystem::current_path(ec);
        // The editor stays silent about both failures below; a script must learn that no new
        // plugin is coming.
        bool failed = false;
        if (!DeleteCompiledPlugin(dir)) {
            Fail(io, "compile", "compiled/vloxTarnekMod.amxx could not be deleted; the compiler will meet the old one");
            failed = true;
        }
        if (command.invocation.detach) {
            if (const auto started = StartPluginCompiler(dir); !started) {
                const std::filesystem::path compiler = PluginCompilerPath(dir);
                const std::string why =
                    std::filesystem::is_regular_file(compiler, ec)
                        ? " could not be started: " + std::system_category().message(started.failure().code)
                        : " was not found";
                Fail(io, "compile",
                     "the plugin compiler " + compiler.string() + why +
                         "; the configuration and the sources are saved, the plugin is not compiled");
                failed = true;
            }
            return failed ? kExitFailed : Finish(sink);
        }

        const bool json = command.invocation.json;
        PluginCompileRun compile(dir, GeneratedLines(session.configuration()));
        const CompileResult result = RunUntilInterrupted(compile, [&io, json](const std::string& line) {
            if (!json)
                io.out << line << std::endl;  // as it comes, for a terminal or a pipe alike
        });
        if (json)
            io.out << CompileResultJson(result);
        else
            PrintCompileReport(result, io.out);
        return failed || !result.Succeeded() ? kExitFailed : Finish(sink);
    });
}

int ExportCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        const auto json = ConfigurationToJson(session.configuration());
        if (!json)
            return Fail(io, "export", json.failure().text);
        const std::string& text = *json;

        if (!command.invocation.file)
            return Print(io, "export", text, sink);
        const std::string& file = *command.invocation.file;
        if (const auto written = WriteExportFile(PathFromUtf8(file), text); !written)
            return Fail(io, "export",
                        "cannot write " + Quoted(file) + ": " + std::system_category().message(written.failure().code));
        return Finish(sink);
    });
}

int ImportCommand(const PreparedCommand& command, ToolStreams& io)
{
    std::string text;
    if (command.invocation.file) {
        const std::string& file = *command.invocation.file;
        std::ifstream stream(PathFromUtf8(file), std::ios::binary);
        if (!stream)
            return Fail(io, "import", "cannot read " + Quoted(file) + ": " + std::strerror(errno));
        text = ReadConfigurationText(stream);
        if (stream.bad())
            return Fail(io, "import", "cannot read " + Quoted(file));
    } else {
        text = ReadConfigurationText(io.in);
    }

    // The whole input is checked before the database is even opened.
    auto parsed = ConfigurationFromJson(text);
    if (!parsed)
        return Fail(io, "import", parsed.failure().text + "; nothing changed");

    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        tarnekArrayStruct& imported = *parsed;
        imported.DeriveLevelCounts();
        const SaveReport report = session.Update(SaveScope::Everything(), [&](EditingSession& s) {
            s.Replace(imported);
            return true;
        });

        for (const ListDescriptor& list : ValueLists()) {
            const ValueList& values = session.configuration().*list.list;
            for (std::size_t i = 0; i < values.size(); ++i)
                WarnIfPluginRejects(io, "import", CellName(list.field, i), values.at(i), list);
        }
        return Finish(sink, report);
    });
}
