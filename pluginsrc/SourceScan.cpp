#include "pluginsrc/SourceScan.h"

#include <algorithm>

#include "model/NumberFormats.h"

namespace {

constexpr std::string_view kDevotionComment = " //Devotion Aura (skill 2)";
bool Has(const std::vector<std::string>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

SourceScan::SourceScan(std::string_view file, std::string text, const WantedDeclarations& wanted)
    : file_(file), text_(std::move(text)), wanted_(wanted)
{
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\n')
            lineStarts_.push_back(i + 1);
}

Result<Done, SourceReadError> SourceScan::Run()
{
    auto lexed = LexPawn(text_);
    if (!lexed)
        return ErrorAt(lexed.failure().offset, lexed.failure().problem);
    for (const PawnToken& token : *lexed)
        (token.kind == PawnTokenKind::Comment ? comments_ : code_).push_back(token);

    for (Position at = 0; at < code_.size() && !error_;) {
        if (code_[at].kind == PawnTokenKind::Directive)
            at = Directive(at);
        else if (NameAt(at) == "new")
            at = Declaration(at);
        else
            at = NextLine(at);
    }
    if (error_)
        return *error_;
    return Missing();
}

SourceReadError SourceScan::ErrorAt(std::size_t offset, std::string problem) const
{
    const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) - lineStarts_.begin() + 1;
    return SourceReadError{std::string(file_), static_cast<std::int32_t>(line), std::move(problem)};
}

std::string_view SourceScan::NameAt(Position at) const
{
    return at < code_.size() && code_[at].kind == PawnTokenKind::Name ? code_[at].text : std::string_view{};
}

SourceScan::Position SourceScan::NextLine(Position at) const
{
    do
        ++at;
    while (at < code_.size() && !code_[at].startsLine);
    return at;
}

bool SourceScan::CommentWithin(std::size_t from, std::size_t to) const
{
    const auto after =
        std::upper_bound(comments_.begin(), comments_.end(), from,
                         [](std::size_t offset, const PawnToken& comment) { return offset < comment.end(); });
    return after != comments_.end() && after->offset < to;
}

// The text of the tokens [first, end) as the compiler sees it: comments inside become blanks.
std::string SourceScan::Blanked(Position first, Position end) const
{
    if (first >= end)
        return {};
    const std::size_t from = code_[first].offset;
    std::string text = text_.substr(from, code_[end - 1].end() - from);
    for (auto comment = std::upper_bound(comments_.begin(), comments_.end(), from,
                                         [](std::size_t offset, const PawnToken&c) { return offset < c.offset; });
         comment != comments_.end() && comment->offset < from + text.size(); ++comment)
        for (std::size_t i = comment->offset - from; i < comment->end() - from; ++i)
            if (text[i] != '\n')
                text[i] = ' ';
    return text;
}

// "#define NAME value": only the wanted names are kept; other directives are the plugin's.
SourceScan::Position SourceScan::Directive(Position at)
{
    const std::string_view directive = code_[at].name;
    if (directive == "if" || directive == "ifdef" || directive == "ifndef")
        ++conditionalDepth_;
    else if (directive == "endif" && conditionalDepth_ > 0)
        --conditionalDepth_;
    const Position end = NextLine(at);
    const Position name = at + 1;
    if (directive != "define" || name == end || !Has(wanted_.defines, NameAt(name)))
        return end;
    const std::string defined(NameAt(name));
    Record(defines_, defined, at,
           FoundDeclaration{code_[at].offset, {}, Verbatim(code_[name].end(), {}, Blanked(name + 1, end))});
    return end;
}

// "new [const] [Tag:]name[[size]] = value" or "... = {v0, v1, ...};".
SourceScan::Position SourceScan::Declaration(Position at)
{
    Position p = at + 1;
    if (NameAt(p) == "const")
        ++p;
    const bool word =
        p < code_.size() && (code_[p].kind == PawnTokenKind::Name || code_[p].kind == PawnTokenKind::Number);
    if (word && Is(p + 1, ':') && code_[p + 1].offset == code_[p].end()) {
        p += 2;  // the tag, such as Float:, with the name right behind it
        if (p < code_.size() && code_[p].offset != code_[p - 1].end())
            return NextLine(at);
    }
    const std::string name(NameAt(p));
    const bool isArray = Has(wanted_.arrays, name);
    const bool isScalar = Has(wanted_.scalars, name);
    if (!isArray && !isScalar)
        return NextLine(at);
    ++p;
    if (Is(p, '[')) {
        Position close = p + 1;
        while (close < code_.size() && !code_[close].startsLine && !code_[close].Is(']'))
            ++close;
        if (close == code_.size() || code_[close].startsLine) {
            error_ = ErrorAt(code_[p].offset, "у размера массива " + name + " нет «]»");
            return code_.size();
        }
        p = close + 1;
    }
    if (!Is(p, '=')) {
        error_ = ErrorAt(OffsetOf(p),
                         "после имени " + name + " ожидалось «=» и " + (isArray ? "список значений" : "значение"));
        return code_.size();
    }
    const Position equals = p++;
    if (isArray != Is(p, '{')) {
        error_ = ErrorAt(std::min(OffsetOf(p), text_.size() - 1),
                         isArray ? "ожидался список значений массива " + name + " в фигурных скобках «{ }»"
                                 : "ожидалось одно значение " + name + ", а не список");
        return code_.size();
    }
    if (isArray)
        return ArrayValues(at, name, p);

    Position end = p;
    while (end < code_.size() && !code_[end].startsLine && !code_[end].Is(';'))
        ++end;
    Record(scalars_, name, at,
           FoundDeclaration{code_[at].offset, {}, Verbatim(code_[equals].end(), kDevotionComment, Blanked(p, end))});
    return end;
}

SourceScan::Position SourceScan::ArrayValues(Position at, const std::string& name, Position open)
{
    std::vector<Position> separators = {open};  // the braces and the commas between them
    Position close = open + 1;
    for (; close < code_.size() && !code_[close].Is('{') && !code_[close].Is('}'); ++close)
        if (code_[close].Is(','))
            separators.push_back(close);
    if (close == code_.size()) {
        error_ = ErrorAt(code_[open].offset, "массив " + name + " обрывается: ожидалось «}» после его значений");
        return code_.size();
    }
    if (code_[close].Is('{')) {
        error_ = ErrorAt(code_[close].offset, "в массиве " + name + " ожидались значения через запятую, а не «{»");
        return code_.size();
    }
    separators.push_back(close);

    FoundDeclaration found{code_[at].offset, {}, {}};
    if (!WriterShaped(separators, found.values)) {
        for (std::size_t i = 0; i + 1 < separators.size(); ++i) {
            const Position first = separators[i] + 1;
            const Position end = separators[i + 1];
            // A trailing comma, or "{ }" for no values at all.
            if (first == end && i + 2 == separators.size())
                break;
            const auto token = [&](Position p) { return code_.begin() + static_cast<std::ptrdiff_t>(p); };
            if (first < end &&
                std::any_of(token(first + 1), token(end), [](const PawnToken& t) { return t.startsLine; })) {
                error_ = ErrorAt(text_.find('\n', code_[first].offset),
                                 "между значениями массива " + name + " ожидалась запятая");
                return code_.size();
            }
            found.values.append(Blanked(first, end));
        }
    }
    Record(arrays_, name, at, std::move(found));
    return close + 1;
}

// The writers' own shape, "{v0,\r\nv1,\r\n...vN\r\n};" with nothing else between the
// braces, is read verbatim, blanks and empty values included.
bool SourceScan::WriterShaped(const std::vector<Position>& separators, ValueList& values) const
{
    const PawnToken& open = code_[separators.front()];
    const PawnToken& close = code_[separators.back()];
    const Position after = separators.back() + 1;
    if (!Is(after, ';') || code_[after].offset != close.end() || CommentWithin(open.offset, close.offset))
        return false;
    std::vector<std::string> texts;
    for (std::size_t i = 0; i + 1 < separators.size(); ++i) {
        const std::size_t from = code_[separators[i]].end();
        std::string_view item = std::string_view(text_).substr(from, code_[separators[i + 1]].offset - from);
        if (separators.size() == 2 && item.empty())
            return true;  // "{};"
        if (i > 0) {
            if (!item.starts_with("\r\n"))
                return false;
            item.remove_prefix(2);
        }
        if (i + 2 == separators.size()) {
            if (!item.ends_with("\r\n"))
                return false;
            item.remove_suffix(2);
        }
        if (item.find_first_of("\r\n") != std::string_view::npos)
            return false;
        texts.emplace_back(item);
    }
    values = ValueList(std::move(texts));
    return true;
}

// The value exactly as written when its line has the writers' shape: one blank after the
// name or "=", the value, and the line's end or the writers' own comment. Otherwise the
// tolerant reading, which is also taken when the two differ by more than blanks ("15;").
std::string SourceScan::Verbatim(std::size_t afterName, std::string_view writersComment, std::string tolerant) const
{
    if (afterName >= text_.size() || text_[afterName] != ' ')
        return tolerant;
    const std::size_t start = afterName + 1;
    std::size_t end = std::max(start, std::min(text_.find('\n', start), text_.size()));
    if (end > start && text_[end - 1] == '\r')
        --end;
    std::string_view candidate = std::string_view(text_).substr(start, end - start);
    if (!candidate.ends_with(writersComment))
        return tolerant;
    candidate.remove_suffix(writersComment.size());
    if (CommentWithin(start, start + candidate.size()) || TrimBlanks(candidate) != tolerant)
        return tolerant;  // a comment of someone else's inside
    return std::string(candidate);
}

void SourceScan::Record(std::map<std::string, FoundDeclaration>& into, const std::string& name, Position at,
                        FoundDeclaration found)
{
    // The files are written anew whole, without the condition: a definition the admin kept
    // inactive would become the one compiled, so such sources are not taken over.
    if (conditionalDepth_ > 0) {
        error_ = ErrorAt(code_[at].offset, name + " стоит внутри «#if … #endif»: редактор не знает, какое "
                                                  "определение компилируется; уберите условие вокруг него");
        return;
    }
    const auto [it, inserted] = into.emplace(name, std::move(found));
    if (!inserted)
        error_ = ErrorAt(code_[at].offset, name + " определён второй раз (первый раз в строке " +
                                               FormatInteger(ErrorAt(it->second.offset, {}).line) +
                                               "); ожидалось одно определение");
}

Result<Done, SourceReadError> SourceScan::Missing() const
{
    for (const auto& name : wanted_.arrays)
        if (!arrays_.contains(name))
            return SourceReadError{std::string(file_), 0, "нет массива " + name};
    for (const auto& name : wanted_.scalars)
        if (!scalars_.contains(name))
            return SourceReadError{std::string(file_), 0, "нет значения " + name};
    for (const auto& name : wanted_.defines)
        if (!defines_.contains(name))
            return SourceReadError{std::string(file_), 0, "нет строки «#define " + name + "»"};
    return Done{};
}
