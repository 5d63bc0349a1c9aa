#include "pluginsrc/CompilerOutput.h"

#include <charconv>

#include "pluginsrc/CodePage1251.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Takes `word` from the front of text when it is there.
bool Take(std::string_view& text, std::string_view word)
{
    if (!text.starts_with(word))
        return false;
    text.remove_prefix(word.size());
    return true;
}

}  // namespace

std::optional<CompilerDiagnostic> ParseDiagnostic(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.remove_suffix(1);
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    if (Take(line, "//"))
        while (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);

    // The file name may hold parentheses and " : " of its own (a Windows folder), so the
    // place is the first "(digits) : " that a kind follows.
    for (std::size_t at = line.find(") : "); at != std::string_view::npos; at = line.find(") : ", at + 1)) {
        std::size_t open = at;
        while (open > 0 && IsDigit(line[open - 1]))
            --open;
        if (open == at || open == 0 || line[open - 1] != '(')
            continue;
        std::string_view rest = line.substr(at + 4);
        CompilerDiagnostic d;
        if (Take(rest, "fatal error "))
            d.kind = DiagnosticKind::FatalError;
        else if (Take(rest, "error "))
            d.kind = DiagnosticKind::Error;
        else if (Take(rest, "warning "))
            d.kind = DiagnosticKind::Warning;
        else
            continue;
        const std::size_t colon = rest.find(':');
        if (colon == std::string_view::npos)
            continue;
        d.code = std::string(rest.substr(0, colon));
        rest.remove_prefix(colon + 1);
        if (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        d.text = std::string(rest);
        d.file = std::string(line.substr(0, open - 1));
        const auto [ptr, ec] = std::from_chars(line.data() + open, line.data() + at, d.line);
        if (ec != std::errc{} || d.file.empty())
            continue;
        return d;
    }
    return std::nullopt;
}

void OutputLines::Append(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        const std::size_t room = kLongestLine - partial_.size();
        if (newline != std::string_view::npos && newline <= room) {
            partial_.append(bytes.substr(0, newline));
            bytes.remove_prefix(newline + 1);
            EndLine();
        } else if (bytes.size() >= room) {
            partial_.append(bytes.substr(0, room));
            bytes.remove_prefix(room);
            EndLine();
        } else {
            partial_.append(bytes);
            bytes = {};
        }
    }
}

void OutputLines::Finish()
{
    if (!partial_.empty())
        EndLine();
}

void OutputLines::EndLine()
{
    if (!partial_.empty() && partial_.back() == '\r')
        partial_.pop_back();
    std::string line = ValidUtf8(partial_);
    partial_.clear();
    if (onLine_)
        onLine_(line);
    keptBytes_ += line.size() + 1;
    kept_.push_back(std::move(line));
    while (keptBytes_ > kKeptBytes && kept_.size() > 1) {
        keptBytes_ -= kept_.front().size() + 1;
        kept_.pop_front();
        ++dropped_;
    }
}
