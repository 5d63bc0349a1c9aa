#pragma once

// CONTRACT SKETCH for the plugin-sources helper: the editor and the headless tool call these.

#include <filesystem>

// compiled/vloxTarnekMod.amxx under dir, removed if present; false only when it exists and cannot go.
bool DeleteCompiledPlugin(const std::filesystem::path& dir);

// Starts the plugin compiler (compile.exe on Windows, compile.sh elsewhere) in dir with no
// arguments, detached; returns at once without waiting. A missing compiler is silent (false).
bool StartPluginCompiler(const std::filesystem::path& dir);
