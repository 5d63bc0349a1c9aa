#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Result.h"

// The pieces of a Pawn source, as far as the source reader needs them: no keyword is known
// here, and every byte but blanks belongs to a token.
enum class PawnTokenKind : std::int8_t {
    Directive,    // '#' first on its line, with the directive's name: "#  define"
    Comment,      // "// ..." to the line's end, or "/* ... */"
    Punctuation,  // one character: { } [ ] ( ) , ; = : + - # and the other operators, one by one
    Number,       // a digit and what follows it: 10, 12.5, 0x1F, 1.0e-5; a sign is punctuation
    Name,         // letters, digits, '_' and '@', not starting with a digit
    String,       // "..." or '...', with '^' as the escape character; cut at the line's end
    Other,        // bytes outside ASCII, such as Cyrillic letters
};

struct PawnToken {
    PawnTokenKind kind = PawnTokenKind::Punctuation;
    std::string_view text;    // as written, a view into the lexed text
    std::string_view name;    // a directive's name, "define"; empty for other tokens
    std::size_t offset = 0;   // of the token's first byte
    bool startsLine = false;  // a line break, in blanks or comments, lies between it and the code before

    std::size_t end() const { return offset + text.size(); }
    bool Is(char punctuation) const { return kind == PawnTokenKind::Punctuation && text.front() == punctuation; }
};

struct PawnLexError {
    std::size_t offset = 0;
    std::string problem;
};

// The tokens of the whole text, comments included, or the comment that is never closed.
Result<std::vector<PawnToken>, PawnLexError> LexPawn(std::string_view text);
