#include "pluginsrc/PluginCompiler.h"

#include <system_error>

#include "pluginsrc/DetachedProcess.h"

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr const char* kCompilerName = "compile.exe";
#else
constexpr const char* kCompilerName = "compile.sh";
#endif

}  // namespace

fs::path PluginCompilerPath(const fs::path& dir)
{
    return dir / kCompilerName;
}

bool DeleteCompiledPlugin(const fs::path& dir)
{
    const fs::path plugin = dir / kCompiledPluginName;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(plugin, ec)))
        return true;
    fs::remove(plugin, ec);
    return !ec;
}

Result<Done, SystemError> StartPluginCompiler(const fs::path& dir)
{
    const fs::path compiler = PluginCompilerPath(dir);
    std::error_code ec;
    if (!fs::is_regular_file(compiler, ec))
        return SystemError{static_cast<int>(std::errc::no_such_file_or_directory), false};
    if (const int error = StartDetached(compiler, dir); error != 0)
        return SystemError{error, false};
    return Done{};
}

PluginCompileRun::PluginCompileRun(fs::path dir, GeneratedLines lines) : dir_(std::move(dir)), lines_(std::move(lines))
{}

void PluginCompileRun::Cancel() noexcept
{
    process_.Cancel();
}

CompileResult PluginCompileRun::Run(const std::function<void(const std::string&)>& onLine)
{
    CompileResult result;
    result.folder = dir_;
    result.compiler = PluginCompilerPath(dir_);
    std::error_code ec;
    if (!fs::is_regular_file(result.compiler, ec))
        return result;
    // An old plugin that could not be deleted must not pass for a new one. Its time is taken
    // before the start: a quick compiler may have written the new one before the next line.
    const fs::path plugin = dir_ / kCompiledPluginName;
    const auto oldPluginTime = fs::last_write_time(plugin, ec);
    const bool oldPluginLeft = !ec;
    result.startError = process_.Start(result.compiler, dir_);
    if (result.startError != 0) {
        result.start = CompileStart::NotStartable;
        return result;
    }
    result.start = CompileStart::Started;

    OutputLines lines([&](const std::string& line) {
        if (onLine)
            onLine(line);
        const auto diagnostic = ParseDiagnostic(line);
        if (!diagnostic)
            return;
        (diagnostic->kind == DiagnosticKind::Warning ? result.warnings : result.errors) += 1;
        if (result.diagnostics.size() < CompileResult::kKeptDiagnostics)
            result.diagnostics.push_back({*diagnostic, lines_.Find(diagnostic->file, diagnostic->line), line});
    });
    result.end = process_.Run([&lines](std::string_view bytes) { lines.Append(bytes); });
    lines.Finish();
    result.output.assign(std::make_move_iterator(lines.kept().begin()), std::make_move_iterator(lines.kept().end()));
    result.droppedLines = lines.dropped();

    result.pluginProduced =
        fs::is_regular_file(plugin, ec) && !(oldPluginLeft && fs::last_write_time(plugin, ec) == oldPluginTime);
    if (result.pluginProduced)
        result.pluginSize = fs::file_size(plugin, ec);
    return result;
}

bool CompileResult::Succeeded() const
{
    return OutcomeOf(*this) == CompileOutcome::Compiled;
}

CompileOutcome OutcomeOf(const CompileResult& result)
{
    if (result.start != CompileStart::Started)
        return result.start == CompileStart::NoCompiler ? CompileOutcome::NoCompiler : CompileOutcome::NotStartable;
    if (result.end.cancelled)
        return CompileOutcome::Cancelled;
    if (result.errors > 0)
        return CompileOutcome::Errors;
    return result.pluginProduced ? CompileOutcome::Compiled : CompileOutcome::NoPlugin;
}
