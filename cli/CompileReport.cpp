#include "cli/CompileReport.h"

#include <array>
#include <atomic>
#include <cstring>
#include <string_view>

#include <nlohmann/json.hpp>

#ifndef _WIN32
#  include <csignal>
#endif

namespace {

// In the order of the enums.
constexpr std::array<std::string_view, 3> kKindNames{"warning", "error", "fatal error"};
constexpr std::array<std::string_view, 6> kOutcomeNames{"compiled",      "errors",    "no-compiler",
                                                        "not-startable", "cancelled", "no-plugin"};

std::string_view KindName(DiagnosticKind kind)
{
    return kKindNames.at(static_cast<std::size_t>(kind));
}
std::string_view OutcomeName(CompileOutcome outcome)
{
    return kOutcomeNames.at(static_cast<std::size_t>(outcome));
}

std::string Plural(std::size_t n, std::string_view word)
{
    return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}

std::string Headline(const CompileResult& result)
{
    const std::string compiler = result.compiler.filename().string();
    switch (OutcomeOf(result)) {
    case CompileOutcome::Compiled:
        return "compiled: " + std::string(kCompiledPluginName) + " (" + Plural(result.pluginSize, "byte") + ")";
    case CompileOutcome::Errors:
        return "compile failed: " + Plural(result.errors, "error");
    case CompileOutcome::NoCompiler:
        return "compile failed: the plugin compiler " + result.compiler.string() + " was not found";
    case CompileOutcome::NotStartable:
        return "compile failed: the plugin compiler " + result.compiler.string() +
               " could not be started: " + std::strerror(result.startError);
    case CompileOutcome::Cancelled:
        return "compile failed: cancelled";
    case CompileOutcome::NoPlugin:
        if (result.end.signal != 0)
            return "compile failed: " + compiler + " was ended by signal " + std::to_string(result.end.signal);
        return "compile failed: no error reported, but " + compiler + " wrote no " + kCompiledPluginName +
               " (is compiled/ writable?)";
    }
    return {};
}

#ifndef _WIN32
std::atomic<PluginCompileRun*> interruptedRun{nullptr};

extern "C" void CancelRunOnSignal(int)
{
    if (PluginCompileRun* run = interruptedRun.load())
        run->Cancel();
}
#endif

}  // namespace

void PrintCompileReport(const CompileResult& result, std::ostream& out)
{
    out << Headline(result) << '\n';
    for (const LocatedDiagnostic& located : result.diagnostics) {
        const CompilerDiagnostic& d = located.diagnostic;
        if (d.kind == DiagnosticKind::Warning)
            continue;
        out << "  " << d.file << '(' << d.line << "): " << KindName(d.kind) << ' ' << d.code << ": " << d.text;
        if (located.value)
            out << " [" << located.value->field << ", level " << located.value->level << ']';
        out << '\n';
    }
}

std::string CompileResultJson(const CompileResult& result)
{
    using json = nlohmann::ordered_json;
    json diagnostics = json::array();
    for (const LocatedDiagnostic& located : result.diagnostics) {
        const CompilerDiagnostic& d = located.diagnostic;
        json entry = {{"kind", KindName(d.kind)}, {"file", d.file},  {"line", d.line},  {"code", d.code},
                      {"text", d.text},           {"list", nullptr}, {"level", nullptr}};
        if (located.value) {
            entry["list"] = located.value->field;
            entry["level"] = located.value->level;
        }
        diagnostics.push_back(std::move(entry));
    }
    const bool ran = result.start == CompileStart::Started;
    const json object = {
        {"outcome", OutcomeName(OutcomeOf(result))},
        {"compiled", result.Succeeded()},
        {"headline", Headline(result)},
        {"folder", result.folder.string()},
        {"exitStatus", ran && result.end.exitCode >= 0 ? json(result.end.exitCode) : json(nullptr)},
        {"signal", result.end.signal != 0 ? json(result.end.signal) : json(nullptr)},
        {"plugin", kCompiledPluginName},
        {"pluginSize", result.pluginProduced ? json(result.pluginSize) : json(nullptr)},
        {"errors", result.errors},
        {"warnings", result.warnings},
        {"diagnostics", std::move(diagnostics)},
        {"droppedLines", result.droppedLines},
        {"output", result.output},
    };
    // The output is valid UTF-8 already; replace rather than throw should that ever change.
    return object.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

CompileResult RunUntilInterrupted(PluginCompileRun& run, const std::function<void(const std::string&)>& onLine)
{
#ifdef _WIN32
    // There the compiler is in a job that ends with the tool.
    return run.Run(onLine);
#else
    interruptedRun.store(&run);
    struct sigaction cancel {};
    cancel.sa_handler = CancelRunOnSignal;
    sigemptyset(&cancel.sa_mask);
    constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, kSignals.size()> previous{};
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &cancel, &previous[i]);
    CompileResult result = run.Run(onLine);
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &previous[i], nullptr);
    interruptedRun.store(nullptr);
    return result;
#endif
}
