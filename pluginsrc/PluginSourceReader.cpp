#include "pluginsrc/PluginSourceReader.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "model/Descriptors.h"
#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"
#include "model/ValueTextRule.h"
#include "pluginsrc/CodePage1251.h"
#include "pluginsrc/SourceScan.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBaseHeaderFile = "tarnek/base.h";
constexpr std::string_view kSkillsIncludeFile = "tarnek/skills.inl";
constexpr std::string_view kLevelCountDefine = "MAX_LEVELS";
constexpr std::string_view kDevotionName = "p_devotion";
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

WantedDeclarations WantedIn(bool baseHeader)
{
    WantedDeclarations wanted;
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

    const WantedDeclarations baseWanted = WantedIn(true);
    const WantedDeclarations skillsWanted = WantedIn(false);
    SourceScan base(kBaseHeaderFile, std::move(*baseText), baseWanted);
    if (auto scanned = base.Run(); !scanned)
        return scanned.failure();
    SourceScan skills(kSkillsIncludeFile, std::move(*skillsText), skillsWanted);
    if (auto scanned = skills.Run(); !scanned)
        return scanned.failure();

    tarnekArrayStruct model;
    const FoundDeclaration& levelCount = skills.Define(kLevelCountDefine);
    const std::string_view count = TrimBlanks(levelCount.text);
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
