#include "pluginsrc/GeneratedLines.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "model/Descriptors.h"
#include "pluginsrc/xpBaseStruct.h"

namespace {

// Bytes no value text holds, around "list.level" or "d" for Devotion Aura.
constexpr char kOpen = '\x01';
constexpr char kClose = '\x02';
constexpr std::string_view kDevotionField = "devotionValue";

std::string Marker(std::size_t list, std::size_t level)
{
    return std::string(1, kOpen) + std::to_string(list) + "." + std::to_string(level) + kClose;
}

std::optional<GeneratedValue> ReadMarker(std::string_view line)
{
    const std::size_t open = line.find(kOpen);
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t close = line.find(kClose, open);
    const std::string_view inside = line.substr(open + 1, close - open - 1);
    if (inside == "d")
        return GeneratedValue{kDevotionField, std::nullopt, 0};
    const std::size_t dot = inside.find('.');
    const std::size_t list = std::stoul(std::string(inside.substr(0, dot)));
    const std::size_t level = std::stoul(std::string(inside.substr(dot + 1)));
    return GeneratedValue{ValueLists()[list].field, list, level};
}

std::vector<std::optional<GeneratedValue>> LinesOf(const std::string& text)
{
    std::vector<std::optional<GeneratedValue>> lines;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(ReadMarker(std::string_view(text).substr(from, end - from)));
        from = end + 1;
    }
    return lines;
}

bool SameName(std::string_view a, std::string_view b)
{
    // The Windows compiler may spell the name in another case.
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

GeneratedLines::GeneratedLines(const tarnekArrayStruct& model)
{
    tarnekArrayStruct marked = model;
    const auto& lists = ValueLists();
    for (std::size_t l = 0; l < lists.size(); ++l) {
        ValueList& list = marked.*lists[l].list;
        for (std::size_t level = 0; level < list.size(); ++level)
            list.set(level, Marker(l, level));
    }
    marked.devotionValue = std::string(1, kOpen) + "d" + kClose;
    baseHeader_ = LinesOf(xpBaseStruct::BaseHeaderText(marked));
    skillsInclude_ = LinesOf(xpBaseStruct::SkillsIncludeText(marked));
}

std::optional<GeneratedValue> GeneratedLines::Find(std::string_view file, int line) const
{
    const std::size_t slash = file.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? file : file.substr(slash + 1);
    const auto* lines = SameName(name, "base.h")       ? &baseHeader_
                        : SameName(name, "skills.inl") ? &skillsInclude_
                                                       : nullptr;
    if (lines == nullptr || line < 1 || static_cast<std::size_t>(line) > lines->size())
        return std::nullopt;
    return (*lines)[static_cast<std::size_t>(line) - 1];
}
