#include "pluginsrc/PluginSourceReader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <system_error>
#include <vector>

#include "model/Descriptors.h"
#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"
#include "model/ValueTextRule.h"
#include "pluginsrc/CodePage1251.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBaseHeaderFile = "tarnek/base.h";
constexpr std::string_view kSkillsIncludeFile = "tarnek/skills.inl";
constexpr std::string_view kLevelCountDefine = "MAX_LEVELS";
constexpr std::string_view kDevotionName = "p_devotion";
constexpr std::string_view kDevotionComment = " //Devotion Aura (skill 2)";
constexpr std::string_view kBlanks = " \t\r\n\f\v";

bool IsBlank(char c)
{
    return kBlanks.find(c) != std::string_view::npos;
}

bool IsIdentifierChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '@';
}

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The chance define of a skill is named after its array: p_evasion -> MAX_PERCENT_EVASION.
std::string ChanceDefine(const ParameterDescriptor& chance)
{
    for (const ListDescriptor& list : ValueLists()) {
        if (list.column != chance.column)
            continue;
        std::string name = "MAX_PERCENT_";
        for (const char c : list.array.substr(list.array.find('_') + 1))
            name += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return name;
    }
    return {};
}

// What one file must hold: value lists, single values and #define values, by name.
struct Wanted {
    std::vector<std::string> arrays;
    std::vector<std::string> scalars;
    std::vector<std::string> defines;

    bool Has(const std::vector<std::string>& names, std::string_view name) const
    {
        return std::find(names.begin(), names.end(), name) != names.end();
    }
};

struct Found {
    std::size_t offset = 0;
    ValueList values;
    std::string text;
};

Result<std::string, SourceReadError> DecodeSource(std::string_view file, std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return SourceReadError{std::string(file), 0, "файл в UTF-16; ожидался текст в кодировке 1251 или UTF-8"};
    if (bytes.find('\0') != std::string_view::npos)
        return SourceReadError{std::string(file), 0, "это не текстовый файл (в нём есть нулевые байты)"};
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        if (!IsWellFormedUtf8(bytes))
            return SourceReadError{std::string(file), 0, "файл помечен как UTF-8, но в нём есть байты не UTF-8"};
        return std::string(bytes);
    }
    // Cyrillic in code page 1251 practically never forms valid UTF-8, so valid UTF-8 is
    // taken as such and anything else as the code page the writers use.
    if (IsWellFormedUtf8(bytes))
        return std::string(bytes);
    return Cp1251ToUtf8(bytes);
}

// One file's text with its comments blanked out (same length, line breaks kept), and the
// declarations found in it.
class SourceScan {
public:
    SourceScan(std::string_view file, std::string text, const Wanted& wanted)
        : file_(file), raw_(std::move(text)), code_(raw_), wanted_(wanted)
    {
        for (std::size_t i = 0; i < raw_.size(); ++i)
            if (raw_[i] == '\n')
                lineStarts_.push_back(i + 1);
    }

    Result<Done, SourceReadError> Run()
    {
        if (auto blanked = BlankComments(); !blanked)
            return blanked;
        std::size_t at = 0;
        while (at < code_.size()) {
            at = SkipBlanks(at);
            if (at >= code_.size())
                break;
            if (code_[at] == '#')
                at = Directive(at);
            else if (WordAt(at) == "new")
                at = Declaration(at);
            else
                at = LineEnd(at);
            if (error_)
                return *error_;
        }
        return Missing();
    }

    const Found& Array(std::string_view name) const { return arrays_.at(std::string(name)); }
    const Found& Scalar(std::string_view name) const { return scalars_.at(std::string(name)); }
    const Found& Define(std::string_view name) const { return defines_.at(std::string(name)); }

    SourceReadError ErrorAt(std::size_t offset, std::string problem) const
    {
        const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) - lineStarts_.begin() + 1;
        return SourceReadError{std::string(file_), static_cast<std::int32_t>(line), std::move(problem)};
    }

private:
    Result<Done, SourceReadError> BlankComments()
    {
        std::size_t i = 0;
        while (i < code_.size()) {
            if (code_.compare(i, 2, "//") == 0) {
                for (; i < code_.size() && code_[i] != '\n'; ++i)
                    code_[i] = ' ';
            } else if (code_.compare(i, 2, "/*") == 0) {
                const std::size_t close = code_.find("*/", i + 2);
                if (close == std::string::npos)
                    return ErrorAt(i, "комментарий «/*» не закрыт: ожидалось «*/»");
                for (; i < close + 2; ++i)
                    if (code_[i] != '\n')
                        code_[i] = ' ';
            } else {
                ++i;
            }
        }
        return Done{};
    }

    std::size_t SkipBlanks(std::size_t at) const
    {
        while (at < code_.size() && IsBlank(code_[at]))
            ++at;
        return at;
    }

    std::size_t SkipLineBlanks(std::size_t at) const
    {
        while (at < code_.size() && (code_[at] == ' ' || code_[at] == '\t'))
            ++at;
        return at;
    }

    std::size_t LineEnd(std::size_t at) const { return std::min(code_.find('\n', at), code_.size()); }

    std::string_view WordAt(std::size_t at) const
    {
        std::size_t end = at;
        while (end < code_.size() && IsIdentifierChar(code_[end]))
            ++end;
        return std::string_view(code_).substr(at, end - at);
    }

    // "#define NAME value": only the wanted names are kept; other directives are the plugin's.
    std::size_t Directive(std::size_t at)
    {
        const std::size_t end = LineEnd(at);
        std::size_t p = SkipLineBlanks(at + 1);
        const std::string_view directive = WordAt(p);
        if (directive == "if" || directive == "ifdef" || directive == "ifndef")
            ++conditionalDepth_;
        else if (directive == "endif" && conditionalDepth_ > 0)
            --conditionalDepth_;
        if (directive != "define")
            return end;
        p = SkipLineBlanks(p + 6);
        const std::string name(WordAt(p));
        if (!wanted_.Has(wanted_.defines, name))
            return end;
        p += name.size();
        std::string tolerant(Trim(std::string_view(code_).substr(p, end - p)));
        Record(defines_, name, at, Found{at, {}, Verbatim(p, end, {}, std::move(tolerant))});
        return end;
    }

    // "new [const] [Tag:]name[[size]] = value" or "... = {v0, v1, ...};".
    std::size_t Declaration(std::size_t at)
    {
        std::size_t p = SkipBlanks(at + 3);
        if (WordAt(p) == "const")
            p = SkipBlanks(p + 5);
        std::string_view word = WordAt(p);
        if (!word.empty() && p + word.size() < code_.size() && code_[p + word.size()] == ':')
            p += word.size() + 1;  // the tag, such as Float:
        const std::string name(WordAt(p));
        const bool isArray = wanted_.Has(wanted_.arrays, name);
        const bool isScalar = wanted_.Has(wanted_.scalars, name);
        if (!isArray && !isScalar)
            return LineEnd(at);
        p = SkipBlanks(p + name.size());
        if (p < code_.size() && code_[p] == '[') {
            const std::size_t close = code_.find(']', p);
            if (close == std::string::npos || close > LineEnd(p)) {
                error_ = ErrorAt(p, "у размера массива " + name + " нет «]»");
                return code_.size();
            }
            p = SkipBlanks(close + 1);
        }
        if (p >= code_.size() || code_[p] != '=') {
            error_ = ErrorAt(std::min(p, code_.size()),
                             "после имени " + name + " ожидалось «=» и " + (isArray ? "список значений" : "значение"));
            return code_.size();
        }
        const std::size_t equals = p;
        p = SkipBlanks(p + 1);
        const bool braced = p < code_.size() && code_[p] == '{';
        if (isArray != braced) {
            error_ = ErrorAt(std::min(p, code_.size() - 1),
                             isArray ? "ожидался список значений массива " + name + " в фигурных скобках «{ }»"
                                     : "ожидалось одно значение " + name + ", а не список");
            return code_.size();
        }
        if (isArray)
            return ArrayValues(at, name, p);

        const std::size_t end = std::min(code_.find_first_of(";\n", equals), code_.size());
        std::string tolerant(Trim(std::string_view(code_).substr(equals + 1, end - equals - 1)));
        Record(scalars_, name, at,
               Found{at, {}, Verbatim(equals + 1, LineEnd(equals), kDevotionComment, std::move(tolerant))});
        return end;
    }

    std::size_t ArrayValues(std::size_t at, const std::string& name, std::size_t open)
    {
        const std::size_t close = code_.find_first_of("{}", open + 1);
        if (close == std::string::npos) {
            error_ = ErrorAt(open, "массив " + name + " обрывается: ожидалось «}» после его значений");
            return code_.size();
        }
        if (code_[close] == '{') {
            error_ = ErrorAt(close, "в массиве " + name + " ожидались значения через запятую, а не «{»");
            return code_.size();
        }

        const std::string_view inside = std::string_view(code_).substr(open + 1, close - open - 1);
        std::vector<std::string_view> items;
        std::vector<std::size_t> itemOffsets;
        for (std::size_t from = 0;;) {
            const std::size_t comma = std::min(inside.find(',', from), inside.size());
            items.push_back(inside.substr(from, comma - from));
            itemOffsets.push_back(open + 1 + from);
            if (comma == inside.size())
                break;
            from = comma + 1;
        }

        Found found{at, {}, {}};
        if (!WriterShaped(open, close, items, found.values)) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                const std::string_view value = Trim(items[i]);
                if (value.find('\n') != std::string_view::npos) {
                    error_ = ErrorAt(itemOffsets[i] + items[i].find(value) + value.find('\n'),
                                     "между значениями массива " + name + " ожидалась запятая");
                    return code_.size();
                }
                // A trailing comma, or "{ }" for no values at all.
                if (i + 1 == items.size() && value.empty())
                    break;
                found.values.append(std::string(value));
            }
        }
        Record(arrays_, name, at, std::move(found));
        return close + 1;
    }

    // The writers' own shape, "{v0,\r\nv1,\r\n...vN\r\n};" with nothing else between the
    // braces, is read verbatim, blanks and empty values included.
    bool WriterShaped(std::size_t open, std::size_t close, const std::vector<std::string_view>& items,
                      ValueList& values) const
    {
        if (close + 1 >= raw_.size() || raw_[close + 1] != ';' ||
            raw_.compare(open, close - open, code_, open, close - open) != 0)
            return false;
        if (items.size() == 1 && items[0].empty())
            return true;  // "{};"
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < items.size(); ++i) {
            std::string_view item = items[i];
            if (i > 0) {
                if (!item.starts_with("\r\n"))
                    return false;
                item.remove_prefix(2);
            }
            if (i + 1 == items.size()) {
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
    // tolerant reading.
    std::string Verbatim(std::size_t afterName, std::size_t lineEnd, std::string_view writersComment,
                         std::string tolerant) const
    {
        if (afterName >= raw_.size() || raw_[afterName] != ' ')
            return tolerant;
        const std::size_t start = afterName + 1;
        std::size_t end = std::max(start, lineEnd);
        if (end > start && raw_[end - 1] == '\r')
            --end;
        std::string_view candidate = std::string_view(raw_).substr(start, end - start);
        if (!candidate.ends_with(writersComment))
            return tolerant;
        candidate.remove_suffix(writersComment.size());
        if (raw_.compare(start, candidate.size(), code_, start, candidate.size()) != 0)
            return tolerant;  // a comment of someone else's inside
        return std::string(candidate);
    }

    void Record(std::map<std::string, Found>& into, const std::string& name, std::size_t at, Found found)
    {
        // The files are written anew whole, without the condition: a definition the admin kept
        // inactive would become the one compiled, so such sources are not taken over.
        if (conditionalDepth_ > 0) {
            error_ = ErrorAt(at, name + " стоит внутри «#if … #endif»: редактор не знает, какое определение "
                                        "компилируется; уберите условие вокруг него");
            return;
        }
        const auto [it, inserted] = into.emplace(name, std::move(found));
        if (!inserted)
            error_ =
                ErrorAt(at, name + " определён второй раз (первый раз в строке " +
                                FormatInteger(ErrorAt(it->second.offset, {}).line) + "); ожидалось одно определение");
    }

    Result<Done, SourceReadError> Missing() const
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

    std::string_view file_;
    std::string raw_;
    std::string code_;
    const Wanted& wanted_;
    std::vector<std::size_t> lineStarts_;
    std::map<std::string, Found> arrays_;
    std::map<std::string, Found> scalars_;
    std::map<std::string, Found> defines_;
    std::optional<SourceReadError> error_;  // the first problem met; the scan ends there
    int conditionalDepth_ = 0;              // #if, #ifdef and #ifndef still open
};

Wanted WantedIn(bool baseHeader)
{
    Wanted wanted;
    for (const ListDescriptor& list : ValueLists())
        if ((list.tier == Tier::Xp) == baseHeader)
            wanted.arrays.emplace_back(list.array);
    if (baseHeader)
        return wanted;
    wanted.scalars.emplace_back(kDevotionName);
    wanted.defines.emplace_back(kLevelCountDefine);
    for (const ParameterDescriptor& parameter : Parameters())
        if (parameter.isChance())
            wanted.defines.push_back(ChanceDefine(parameter));
    return wanted;
}

bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

Result<std::string, SourceReadError> ReadPluginSourceFile(const fs::path& path, std::string_view name)
{
    const auto failure = [&](const std::string& problem) { return SourceReadError{std::string(name), 0, problem}; };
    std::error_code error;
    // Follows links; a link loop or a dangling link ends up here with the system's reason.
    const fs::file_status status = fs::status(path, error);
    if (error || status.type() == fs::file_type::not_found)
        return failure("файл не открывается: " + (error ? error.message() : std::string("его нет")));
    if (status.type() != fs::file_type::regular)
        return failure("это не обычный файл");
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return failure("файл не читается: " + error.message());
    if (size > kLargestPluginSource)
        return failure("файл слишком велик (" +
                       FormatCountOf(static_cast<std::size_t>(std::min<std::uintmax_t>(size, INT32_MAX)),
                                     {"байт", "байта", "байт"}) +
                       ") для исходника с настройками уровней");
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return failure("файл не открывается для чтения");
    std::string bytes(static_cast<std::size_t>(size), '\0');
    stream.read(bytes.data(), static_cast<std::streamsize>(size));
    if (stream.bad() || static_cast<std::uintmax_t>(stream.gcount()) != size ||
        stream.peek() != std::char_traits<char>::eof())
        return failure("файл изменился или не прочитан целиком во время чтения");
    return bytes;
}

std::string SourceReadError::Text() const
{
    std::string text = file;
    if (line > 0)
        text += ", строка " + FormatInteger(line);
    return text + ": " + problem;
}

PluginSourcesReading ReadPluginSourceBytes(std::string_view baseHeader, std::string_view skillsInclude)
{
    auto baseText = DecodeSource(kBaseHeaderFile, baseHeader);
    if (!baseText)
        return baseText.failure();
    auto skillsText = DecodeSource(kSkillsIncludeFile, skillsInclude);
    if (!skillsText)
        return skillsText.failure();

    const Wanted baseWanted = WantedIn(true);
    const Wanted skillsWanted = WantedIn(false);
    SourceScan base(kBaseHeaderFile, std::move(*baseText), baseWanted);
    if (auto scanned = base.Run(); !scanned)
        return scanned.failure();
    SourceScan skills(kSkillsIncludeFile, std::move(*skillsText), skillsWanted);
    if (auto scanned = skills.Run(); !scanned)
        return scanned.failure();

    tarnekArrayStruct model;
    const Found& levelCount = skills.Define(kLevelCountDefine);
    const std::string_view count = Trim(levelCount.text);
    if (!IsWholeNumber(count) || !IsHeldLevelCountText(FormatInteger(ReadInteger(count))))
        return skills.ErrorAt(levelCount.offset, "ожидалось число уровней от " + FormatInteger(kFewestHeldLevels) +
                                                     " до " + FormatInteger(kMostHeldLevels) +
                                                     " после MAX_LEVELS, а стоит «" + levelCount.text + "»");
    // As the editor writes a count, so that "040" is the 40 it means.
    model.levelCountText = FormatInteger(ReadInteger(count));
    for (const ListDescriptor& list : ValueLists())
        model.*list.list = (list.tier == Tier::Xp ? base : skills).Array(list.array).values;
    model.devotionValue = skills.Scalar(kDevotionName).text;
    for (const ParameterDescriptor& parameter : Parameters())
        if (parameter.isChance())
            model.*parameter.text = skills.Define(ChanceDefine(parameter)).text;
    // What the sources hold reaches the regenerated files as values, so it meets the same rule
    // as a typed or imported text.
    for (const ListDescriptor& list : ValueLists()) {
        const SourceScan& scan = list.tier == Tier::Xp ? base : skills;
        const ValueList& values = model.*list.list;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (auto checked = CheckText(values.at(i), ListCellName(list, i)); !checked)
                return scan.ErrorAt(scan.Array(list.array).offset, checked.failure().text);
    }
    for (const ParameterDescriptor& parameter : Parameters())
        if (parameter.isChance())
            if (auto checked = CheckText(model.*parameter.text, TextFieldName(parameter.text)); !checked)
                return skills.ErrorAt(skills.Define(ChanceDefine(parameter)).offset, checked.failure().text);
    if (auto checked = CheckText(model.devotionValue, TextFieldName(DevotionValue().text)); !checked)
        return skills.ErrorAt(skills.Scalar(kDevotionName).offset, checked.failure().text);
    model.DeriveLevelCounts();
    return model;
}

PluginSourcesReading ReadPluginSources(const fs::path& pluginFolder)
{
    const auto base = ReadPluginSourceFile(pluginFolder / "tarnek" / "base.h", kBaseHeaderFile);
    if (!base)
        return base.failure();
    const auto skills = ReadPluginSourceFile(pluginFolder / "tarnek" / "skills.inl", kSkillsIncludeFile);
    if (!skills)
        return skills.failure();
    return ReadPluginSourceBytes(*base, *skills);
}
