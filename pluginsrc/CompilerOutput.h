#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum class DiagnosticKind { Warning, Error, FatalError };

// One line of the plugin compiler's that names a place in a source:
// "FILE(LINE) : error|warning|fatal error NNN: TEXT", as amxxpc prints it and as compile.exe
// passes it on behind "// ".
struct CompilerDiagnostic {
    DiagnosticKind kind = DiagnosticKind::Error;
    std::string file;  // as the compiler names it
    int line = 0;
    std::string code;  // "017"
    std::string text;  // what follows the code
};

std::optional<CompilerDiagnostic> ParseDiagnostic(std::string_view line);

// Cuts a program's output into lines as the pieces come: CR LF or LF ends a line, a line
// past kLongestLine bytes is cut there, and each line is made valid UTF-8 (whatever code
// page the program wrote) before it is passed on and kept. Only the last kKeptBytes of
// lines are kept, so that a program that floods its output cannot exhaust the memory.
class OutputLines {
public:
    static constexpr std::size_t kLongestLine = 4096;
    static constexpr std::size_t kKeptBytes = 4 * 1024 * 1024;

    explicit OutputLines(std::function<void(const std::string&)> onLine) : onLine_(std::move(onLine)) {}

    void Append(std::string_view bytes);
    void Finish();  // passes on a last line that had no line end

    std::deque<std::string>& kept() { return kept_; }
    std::size_t dropped() const { return dropped_; }  // lines no longer kept

private:
    void EndLine();

    std::function<void(const std::string&)> onLine_;
    std::string partial_;
    std::deque<std::string> kept_;
    std::size_t keptBytes_ = 0;
    std::size_t dropped_ = 0;
};
