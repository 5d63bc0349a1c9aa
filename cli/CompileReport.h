#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "pluginsrc/PluginCompiler.h"

// How tarnek-levels compile tells what came of a compile: an English headline for people,
// or the whole result as JSON for scripts.

// "compiled: compiled/vloxTarnekMod.amxx (815 bytes)" or "compile failed: ...", then each
// error (at most the first kept ones) with the list and level it leads back to.
void PrintCompileReport(const CompileResult& result, std::ostream& out);

// One JSON object with a final newline: outcome, exit status, plugin size, counts, the
// diagnostics with file, line, list and level, and the kept output lines.
std::string CompileResultJson(const CompileResult& result);

// Runs the compile; an interrupt or termination of the tool meanwhile cancels it, so that
// no compiler is left running behind a terminal's Ctrl+C.
CompileResult RunUntilInterrupted(PluginCompileRun& run, const std::function<void(const std::string&)>& onLine);
