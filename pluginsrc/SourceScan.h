#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Result.h"
#include "model/ValueList.h"
#include "pluginsrc/PawnLexer.h"
#include "pluginsrc/PluginSourceReader.h"

// What one file must hold: value lists, single values and #define values, by name.
struct WantedDeclarations {
    std::vector<std::string> arrays;
    std::vector<std::string> scalars;
    std::vector<std::string> defines;
};

struct FoundDeclaration {
    std::size_t offset = 0;  // of its '#' or "new"
    ValueList values;
    std::string text;
};

// The text without the blanks around it.
std::string_view TrimBlanks(std::string_view text);

// One file's declarations, read from its tokens: "#define NAME value" and
// "new [const] [Tag:]name[[size]] = value" or "... = {v0, v1, ...};" of the wanted names.
// Everything else in the file is the plugin's own and is passed over line by line.
class SourceScan {
public:
    SourceScan(std::string_view file, std::string text, const WantedDeclarations& wanted);
    SourceScan(const SourceScan&) = delete;  // its tokens view its own text
    SourceScan& operator=(const SourceScan&) = delete;

    // Every wanted name found once, outside "#if … #endif", or the first problem met.
    Result<Done, SourceReadError> Run();

    const FoundDeclaration& Array(std::string_view name) const { return arrays_.at(std::string(name)); }
    const FoundDeclaration& Scalar(std::string_view name) const { return scalars_.at(std::string(name)); }
    const FoundDeclaration& Define(std::string_view name) const { return defines_.at(std::string(name)); }

    SourceReadError ErrorAt(std::size_t offset, std::string problem) const;

private:
    using Position = std::size_t;  // of a token in code_; code_.size() past the last

    Position Directive(Position at);
    Position Declaration(Position at);
    Position ArrayValues(Position at, const std::string& name, Position open);
    bool WriterShaped(const std::vector<Position>& separators, ValueList& values) const;
    std::string Verbatim(std::size_t afterName, std::string_view writersComment, std::string tolerant) const;
    void Record(std::map<std::string, FoundDeclaration>& into, const std::string& name, Position at,
                FoundDeclaration found);
    Result<Done, SourceReadError> Missing() const;

    bool Is(Position at, char punctuation) const { return at < code_.size() && code_[at].Is(punctuation); }
    std::string_view NameAt(Position at) const;
    std::size_t OffsetOf(Position at) const { return at < code_.size() ? code_[at].offset : text_.size(); }
    Position NextLine(Position at) const;
    bool CommentWithin(std::size_t from, std::size_t to) const;
    std::string Blanked(Position first, Position end) const;

    std::string_view file_;
    std::string text_;
    const WantedDeclarations& wanted_;
    std::vector<PawnToken> code_;      // the tokens but comments
    std::vector<PawnToken> comments_;  // in the order they stand
    std::vector<std::size_t> lineStarts_;
    std::map<std::string, FoundDeclaration> arrays_;
    std::map<std::string, FoundDeclaration> scalars_;
    std::map<std::string, FoundDeclaration> defines_;
    std::optional<SourceReadError> error_;  // the first problem met; the scan ends there
    int conditionalDepth_ = 0;              // #if, #ifdef and #ifndef still open
};
