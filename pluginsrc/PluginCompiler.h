#pragma once

#include <filesystem>

// Starting a plugin build from the plugin's source tree in dir. The editor saves first (which
// regenerates tarnek/base.h and tarnek/skills.inl), then removes the previous build output so
// that a stale plugin cannot be mistaken for the new one, then starts the compiler and returns.

// compiled/vloxTarnekMod.amxx under dir, removed if present; false only when it exists and
// cannot go. The compiled folder is never created.
bool DeleteCompiledPlugin(const std::filesystem::path& dir);

// Starts the plugin compiler (compile.exe on Windows, compile.sh elsewhere) in dir with no
// arguments, detached; returns at once without waiting for it. A missing compiler is silent
// (false): the compiler is an optional part of the plugin tree.
bool StartPluginCompiler(const std::filesystem::path& dir);

// The compiler's path under dir.
std::filesystem::path PluginCompilerPath(const std::filesystem::path& dir);
