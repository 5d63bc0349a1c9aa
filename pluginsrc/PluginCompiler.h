#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/Result.h"
#include "pluginsrc/CompilerOutput.h"
#include "pluginsrc/CompilerProcess.h"
#include "pluginsrc/GeneratedLines.h"
#include "pluginsrc/SystemFile.h"

// Starting a plugin build from the plugin's source tree in dir. The editor saves first (which
// regenerates tarnek/base.h and tarnek/skills.inl), then removes the previous build output so
// that a stale plugin cannot be mistaken for the new one, then starts the compiler: detached,
// or as a PluginCompileRun that captures its output and waits for it.

// compiled/vloxTarnekMod.amxx under dir, removed if present; false only when it exists and
// cannot go. The compiled folder is never created.
bool DeleteCompiledPlugin(const std::filesystem::path& dir);

// Starts the plugin compiler (compile.exe on Windows, compile.sh elsewhere) in dir with no
// arguments, detached; returns at once without waiting for it. The failure holds the
// system's reason; a missing compiler is one too (the "not found" code), which the window
// passes over in silence: the compiler is an optional part of the plugin tree.
Result<Done, SystemError> StartPluginCompiler(const std::filesystem::path& dir);

// The compiler's path under dir.
std::filesystem::path PluginCompilerPath(const std::filesystem::path& dir);

// The plugin the compiler writes, relative to the plugin folder.
inline constexpr const char* kCompiledPluginName = "compiled/vloxTarnekMod.amxx";

struct LocatedDiagnostic {
    CompilerDiagnostic diagnostic;
    std::optional<GeneratedValue> value;  // for a line of base.h or skills.inl
    std::string outputLine;
};

enum class CompileStart { Started, NoCompiler, NotStartable };

struct CompileResult {
    std::filesystem::path folder;
    std::filesystem::path compiler;
    CompileStart start = CompileStart::NoCompiler;
    int startError = 0;  // the system's code when NotStartable
    ProcessEnd end;
    std::vector<std::string> output;             // the last lines, as far as they were kept
    std::size_t droppedLines = 0;                // earlier lines no longer kept
    std::vector<LocatedDiagnostic> diagnostics;  // the first kKeptDiagnostics
    std::size_t errors = 0;                      // error and fatal error lines, all of them
    std::size_t warnings = 0;
    bool pluginProduced = false;  // compiled/vloxTarnekMod.amxx is there afterwards
    std::uintmax_t pluginSize = 0;

    static constexpr std::size_t kKeptDiagnostics = 1000;

    // compile.sh exits 0 whatever the compiler said: only a new plugin and no error line
    // mean the configuration made it into the plugin.
    bool Succeeded() const;
};

// What the compile came to, in the order a headline tells it.
enum class CompileOutcome {
    Compiled,      // the plugin was written and no error line appeared
    Errors,        // the compiler reported errors
    NoCompiler,    // no compile.sh (compile.exe) in the folder
    NotStartable,  // it is there but could not be started
    Cancelled,
    NoPlugin,  // no error line, yet no plugin: killed, or compiled/ not writable
};
CompileOutcome OutcomeOf(const CompileResult& result);

// One compile in the plugin folder `dir`, after the caller has saved and deleted the old
// plugin. `lines` names the values on the generated sources' lines, for the configuration
// that was saved. Run may be called from a worker thread; Cancel from any thread.
class PluginCompileRun {
public:
    PluginCompileRun(std::filesystem::path dir, GeneratedLines lines);

    // Starts the compiler, passes each output line to onLine as it comes, waits for the end.
    CompileResult Run(const std::function<void(const std::string& line)>& onLine = {});
    void Cancel() noexcept;

private:
    std::filesystem::path dir_;
    GeneratedLines lines_;
    CompilerProcess process_;
};
