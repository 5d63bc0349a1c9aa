#include "pluginsrc/PawnLexer.h"

namespace {

constexpr char kEscape = '^';  // Pawn's control character in AMX Mod X sources

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '@';
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || IsDigit(c);
}

bool IsBeyondAscii(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    Result<std::vector<PawnToken>, PawnLexError> Run()
    {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (IsBlank(c)) {
                lineBreak_ = lineBreak_ || c == '\n';
                ++at_;
            } else if (Ahead("//")) {
                Comment(std::min(text_.find('\n', at_), text_.size()));
            } else if (Ahead("/*")) {
                const std::size_t close = text_.find("*/", at_ + 2);
                if (close == std::string_view::npos)
                    return PawnLexError{at_, "комментарий «/*» не закрыт: ожидалось «*/»"};
                Comment(close + 2);
            } else if (c == '#' && lineBreak_) {
                Directive();
            } else if (IsDigit(c)) {
                Push(PawnTokenKind::Number, NumberEnd());
            } else if (IsNameStart(c)) {
                Push(PawnTokenKind::Name, RunEnd(at_, IsNameChar));
            } else if (c == '"' || c == '\'') {
                Push(PawnTokenKind::String, StringEnd(c));
            } else if (IsBeyondAscii(c)) {
                Push(PawnTokenKind::Other, RunEnd(at_, IsBeyondAscii));
            } else {
                Push(PawnTokenKind::Punctuation, at_ + 1);
            }
        }
        return std::move(tokens_);
    }

private:
    bool Ahead(std::string_view what) const { return text_.substr(at_, what.size()) == what; }

    template <class Predicate>
    std::size_t RunEnd(std::size_t from, Predicate belongs) const
    {
        while (from < text_.size() && belongs(text_[from]))
            ++from;
        return from;
    }

    // A comment keeps the line break it holds for the code after it, and is not code itself.
    void Comment(std::size_t end)
    {
        const std::string_view comment = text_.substr(at_, end - at_);
        tokens_.push_back({PawnTokenKind::Comment, comment, {}, at_, lineBreak_});
        lineBreak_ = lineBreak_ || comment.find('\n') != std::string_view::npos;
        at_ = end;
    }

    void Directive()
    {
        const std::size_t nameStart = RunEnd(at_ + 1, [](char c) { return c == ' ' || c == '\t'; });
        const std::size_t nameEnd = RunEnd(nameStart, IsNameChar);
        const std::string_view name = text_.substr(nameStart, nameEnd - nameStart);
        Push(PawnTokenKind::Directive, nameEnd);
        tokens_.back().name = name;
    }

    // Digits, letters and points, and the sign of a decimal number's exponent: 1.0e-5.
    std::size_t NumberEnd() const
    {
        std::size_t end = at_;
        bool decimal = false;
        while (end < text_.size()) {
            const char c = text_[end];
            const bool exponentSign = (c == '+' || c == '-') && decimal && (text_[end - 1] | 0x20) == 'e' &&
                                      end + 1 < text_.size() && IsDigit(text_[end + 1]);
            if (!IsNameChar(c) && c != '.' && !exponentSign)
                break;
            decimal = decimal || c == '.';
            ++end;
        }
        return end;
    }

    // A string the line ends in ends there, as the compiler would complain of.
    std::size_t StringEnd(char quote) const
    {
        std::size_t end = at_ + 1;
        while (end < text_.size() && text_[end] != quote && text_[end] != '\n')
            end += text_[end] == kEscape && end + 1 < text_.size() && text_[end + 1] != '\n' ? 2 : 1;
        return end < text_.size() && text_[end] == quote ? end + 1 : end;
    }

    void Push(PawnTokenKind kind, std::size_t end)
    {
        tokens_.push_back({kind, text_.substr(at_, end - at_), {}, at_, lineBreak_});
        lineBreak_ = false;
        at_ = end;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool lineBreak_ = true;  // the next token is the first of its line
    std::vector<PawnToken> tokens_;
};

}  // namespace

Result<std::vector<PawnToken>, PawnLexError> LexPawn(std::string_view text)
{
    return Lexer(text).Run();
}
