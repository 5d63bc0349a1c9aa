#include "Commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "CompileReport.h"
#include "AdoptCommand.h"
#include "ConfigurationJson.h"
#include "ConfigurationListing.h"
#include "Descriptors.h"
#include "ExitStatus.h"
#include "FileReplace.h"
#include "LevelCounts.h"
#include "NumberFormats.h"
#include "PluginCompiler.h"
#include "PluginNumbers.h"
#include "CommandSession.h"
#include "ProgressionListing.h"
#include "StreamMessageSink.h"
#include "TextReadings.h"
#include "ValueText.h"

namespace {

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string WindowName(Tier tier)
{
    if (tier == Tier::Xp)
        return "the main window";
    return "the tier-" + FormatInteger(static_cast<std::int32_t>(tier)) + " skill window";
}

std::string Count(std::size_t n)
{
    return FormatInteger(static_cast<std::int32_t>(std::min<std::size_t>(n, INT32_MAX)));
}

int Fail(ToolStreams& io, std::string_view command, const std::string& text)
{
    io.err << "tarnek-levels: " << command << ": " << text << '\n';
    return kExitFailed;
}

// The editor marks such a cell in its grid; here it is said once per cell, and kept all the same.
void WarnIfPluginRejects(ToolStreams& io, std::string_view command, const std::string& cell,
                         const std::string& value, const ListDescriptor& list)
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
    return Fail(io, command, std::string("cannot write to standard output") +
                                 (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
}

std::optional<UsageError> CheckValue(std::string_view name, std::string_view value, CommandKind command)
{
    if (auto problem = ValueTextProblem(value))
        return UsageError{"the value for " + Quoted(name) + " " + *problem, command};
    return std::nullopt;
}

bool IsDecimalInteger(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::variant<NamedValue, UsageError> Resolve(std::string_view name, CommandKind command)
{
    auto resolved = ResolveName(name);
    if (auto* message = std::get_if<std::string>(&resolved))
        return UsageError{*message, command};
    return std::get<NamedValue>(resolved);
}

// The fill button of a window takes every box of that window into the model first, so a
// fill may set exactly those: the list's own tier's parameters and devotionValue in tier 2.
std::optional<UsageError> PrepareFill(PreparedCommand& prepared)
{
    const Invocation& inv = prepared.invocation;
    auto list = Resolve(inv.target, CommandKind::Fill);
    if (auto* error = std::get_if<UsageError>(&list))
        return *error;
    const NamedValue& target = std::get<NamedValue>(list);
    if (target.kind != NameKind::List)
        return UsageError{Quoted(inv.target) + " is not a list; fill regenerates one of the 31 lists, such as "
                          "xpLevelSaved or vampiricList",
                          CommandKind::Fill};
    prepared.target = target;

    for (const Assignment& assignment : inv.assignments) {
        auto resolved = Resolve(assignment.name, CommandKind::Fill);
        if (auto* error = std::get_if<UsageError>(&resolved))
            return *error;
        const NamedValue& name = std::get<NamedValue>(resolved);
        if (name.kind == NameKind::List || name.kind == NameKind::Cell)
            return UsageError{"fill sets parameter texts; " + Quoted(assignment.name) +
                                  " is a list value (use \"set\" for one value)",
                              CommandKind::Fill};
        // A fill regenerates one list; a new count would leave every other list at the old one.
        if (name.single == &LevelCountValue())
            return UsageError{"a fill keeps the level count; change it with \"levels N\", which recomputes "
                              "every list",
                              CommandKind::Fill};
        if (name.tier != target.tier)
            return UsageError{Quoted(assignment.name) + " belongs to " + WindowName(name.tier) + ", " +
                                  Quoted(target.field) + " to " + WindowName(target.tier) +
                                  "; set it with \"set\" or with a fill of its own window",
                              CommandKind::Fill};
        if (auto error = CheckValue(assignment.name, assignment.value, CommandKind::Fill))
            return *error;
        prepared.assignments.emplace_back(name, assignment.value);
    }
    return std::nullopt;
}

std::optional<UsageError> PrepareSet(PreparedCommand& prepared)
{
    const Invocation& inv = prepared.invocation;
    auto resolved = Resolve(inv.target, CommandKind::Set);
    if (auto* error = std::get_if<UsageError>(&resolved))
        return *error;
    const NamedValue& name = std::get<NamedValue>(resolved);
    if (name.kind == NameKind::List)
        return UsageError{Quoted(inv.target) + " is a list: set one value as " + std::string(name.field) +
                              "[i], or regenerate it with fill",
                          CommandKind::Set};
    if (name.kind == NameKind::Single && name.single == &LevelCountValue())
        return UsageError{"the level count is changed with \"levels N\", which also recomputes every list",
                          CommandKind::Set};
    if (auto error = CheckValue(inv.target, inv.value, CommandKind::Set))
        return *error;
    prepared.target = name;
    return std::nullopt;
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

int ShowCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        if (!command.invocation.json)
            return Print(io, "show", ConfigurationListing(session.configuration()), sink);
        auto json = ConfigurationToJson(session.configuration());
        if (auto* error = std::get_if<JsonError>(&json))
            return Fail(io, "show", error->message);
        return Print(io, "show", std::get<std::string>(json), sink);
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

int LevelsCommand(const PreparedCommand& command, ToolStreams& io)
{
    const std::int32_t n = command.levelCount;
    if (const auto refusal = LevelCountRefusal(n)) {
        io.err << kLevelRefusalCaption << ": " << *refusal << '\n';
        return kExitFailed;
    }
    if (auto problem = LevelCountTextProblem(FormatInteger(n)))
        return Fail(io, "levels", *problem + "; nothing changed");

    if (!command.invocation.yes) {
        if (!io.interactive)
            return Fail(io, "levels",
                        "all lists would be recomputed, and there is no terminal to ask on; nothing changed. "
                        "Add --yes to recompute them for " + FormatInteger(n) + " levels.");
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
                                          : field + " has " + Count(list.size()) + " values, " + field + "[0] to " +
                                                field + "[" + Count(list.size() - 1) + "]";
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

int GenerateCommand(ToolStreams& io)
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
            if (!StartPluginCompiler(dir)) {
                const std::filesystem::path compiler = PluginCompilerPath(dir);
                const std::string why = std::filesystem::is_regular_file(compiler, ec) ? " could not be started"
                                                                                       : " was not found";
                Fail(io, "compile", "the plugin compiler " + compiler.string() + why +
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

// A file is replaced whole, so a full disk leaves the previous export; a device or a pipe
// (/dev/stdout, a named pipe) cannot be replaced and is written to as it is.
int WriteExportFile(const std::filesystem::path& file, const std::string& text)
{
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return ReplaceFileContents(file, text);
    std::ofstream stream(file, std::ios::binary);
    if (stream)
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.close();
    return stream ? 0 : (errno != 0 ? errno : EIO);
}

int ExportCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        auto json = ConfigurationToJson(session.configuration());
        if (auto* error = std::get_if<JsonError>(&json))
            return Fail(io, "export", error->message);
        const std::string& text = std::get<std::string>(json);

        if (!command.invocation.file)
            return Print(io, "export", text, sink);
        const std::string& file = *command.invocation.file;
        if (const int error = WriteExportFile(file, text))
            return Fail(io, "export", "cannot write " + Quoted(file) + ": " + std::system_category().message(error));
        return Finish(sink);
    });
}

int ImportCommand(const PreparedCommand& command, ToolStreams& io)
{
    std::string text;
    if (command.invocation.file) {
        const std::string& file = *command.invocation.file;
        std::ifstream stream(std::filesystem::path(file), std::ios::binary);
        if (!stream)
            return Fail(io, "import", "cannot read " + Quoted(file) + ": " + std::strerror(errno));
        text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
        if (stream.bad())
            return Fail(io, "import", "cannot read " + Quoted(file));
    } else {
        text.assign(std::istreambuf_iterator<char>(io.in), std::istreambuf_iterator<char>());
    }

    // The whole input is checked before the database is even opened.
    auto parsed = ConfigurationFromJson(text);
    if (auto* error = std::get_if<JsonError>(&parsed))
        return Fail(io, "import", error->message + "; nothing changed");

    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        tarnekArrayStruct& imported = std::get<tarnekArrayStruct>(parsed);
        imported.DeriveLevelCounts();
        const SaveReport report = session.Update(SaveScope::Everything(), [&](EditingSession& s) {
            s.Replace(imported);
            return true;
        });

        for (const ListDescriptor& list : ValueLists()) {
            const ValueList& values = session.configuration().*list.list;
            for (std::size_t i = 0; i < values.size(); ++i)
                WarnIfPluginRejects(io, "import", std::string(list.field) + "[" + Count(i) + "]", values.at(i), list);
        }
        return Finish(sink, report);
    });
}

}  // namespace

std::variant<PreparedCommand, UsageError> PrepareCommand(const Invocation& inv)
{
    PreparedCommand prepared{inv, std::nullopt, {}, 0};
    std::optional<UsageError> error;
    switch (inv.command) {
    case CommandKind::Fill:
        error = PrepareFill(prepared);
        break;
    case CommandKind::Set:
        error = PrepareSet(prepared);
        break;
    case CommandKind::Levels:
        if (!IsDecimalInteger(inv.levelCount))
            error = UsageError{"the level count must be a whole number, got " + Quoted(inv.levelCount),
                               CommandKind::Levels};
        else
            prepared.levelCount = ReadInteger(inv.levelCount);
        break;
    default:
        break;
    }
    if (error)
        return *error;
    return prepared;
}

int RunCommand(const PreparedCommand& command, ToolStreams& io)
{
    switch (command.invocation.command) {
    case CommandKind::Show:
        return ShowCommand(command, io);
    case CommandKind::Levels:
        return LevelsCommand(command, io);
    case CommandKind::Fill:
        return FillCommand(command, io);
    case CommandKind::Set:
        return SetCommand(command, io);
    case CommandKind::Generate:
        return GenerateCommand(io);
    case CommandKind::Compile:
        return CompileCommand(command, io);
    case CommandKind::Export:
        return ExportCommand(command, io);
    case CommandKind::Import:
        return ImportCommand(command, io);
    case CommandKind::Progression:
        return ProgressionCommand(command, io);
    case CommandKind::Adopt:
        return AdoptCommand(command.invocation.dryRun, io);
    case CommandKind::None:
        break;
    }
    return kExitUsage;
}
