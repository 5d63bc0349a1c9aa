#include <string>
#include <string_view>

#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"
#include "pluginsrc/xpBaseStruct.h"

// The layout of skills.inl is the plugin's, with its irregular spacing, so its fixed text
// stays here verbatim; which arrays exist, their order, names, kinds and the lines that
// go with each skill come from the descriptor table.

namespace {

std::string TierNumber(Tier tier)
{
    return FormatInteger(static_cast<std::int32_t>(tier));
}

// An empty list has no last entry; its maximum line then ends after the name, as it does
// for an empty last entry.
const std::string& LastEntry(const ValueList& list)
{
    static const std::string none;
    return list.empty() ? none : list.at(list.size() - 1);
}

void AppendLine(std::string& text, std::string_view line)
{
    text.append(line).append(kCrLf);
}

void AppendLevelConstants(std::string& text, const tarnekArrayStruct& model)
{
    // The plugin's skill level count as the level count text reads, whatever skillLevels holds.
    const std::string skillLevels = FormatInteger(ReadInteger(model.levelCountText) / 3);
    AppendLine(text, "#define MAX_LEVELS " + model.levelCountText);
    AppendLine(text, "#define MAX_SKILLS 36");
    AppendLine(text, "#define MAX_RACE_SKILLS " + skillLevels);
    AppendLine(text, "#define MAX_SKILL_LEVEL " + skillLevels);
    AppendLine(text, "");
}

void AppendPercentLimits(std::string& text, const tarnekArrayStruct& model)
{
    for (const Tier tier : kSkillTiers) {
        AppendLine(text, "//Skills " + TierNumber(tier) + " Max Percent");
        for (const ListDescriptor& list : ListsOfTier(tier)) {
            const PercentLines& limit = list.skillsFile.percent;
            if (limit.name.empty())
                continue;
            if (!limit.minComment.empty())
                AppendLine(text,
                           "#define MIN_PERCENT_" + std::string(limit.name) + " 0.0" + std::string(limit.minComment));
            const std::string maximum = limit.maxChance ? tarnekArrayStruct::NormalizeChanceText(model.*limit.maxChance)
                                                        : LastEntry(model.*list.list);
            AppendLine(text, "#define MAX_PERCENT_" + std::string(limit.name) + " " + maximum +
                                 std::string(limit.maxComment));
        }
        AppendLine(text, "");
    }
}

std::string Declaration(const ListDescriptor& list)
{
    if (!list.skillsFile.declaration.empty())
        return std::string(list.skillsFile.declaration);
    std::string declaration = "new const ";
    if (list.kind == ArrayKind::Float)
        declaration += "Float:";
    declaration += list.array;
    declaration += list.length == LengthRule::SkillLevels ? "[MAX_SKILL_LEVEL] = " : "[MAX_LEVELS+1] = ";
    return declaration;
}

void AppendSkillArrays(std::string& text, const tarnekArrayStruct& model)
{
    AppendLine(text, "// Constants for Abilities");
    for (const Tier tier : kSkillTiers) {
        const std::string skillTag = " (skill " + TierNumber(tier) + ")";
        AppendLine(text, "//Skills " + TierNumber(tier));
        if (tier == Tier::One)
            AppendLine(text, "");
        for (const ListDescriptor& list : ListsOfTier(tier)) {
            AppendLine(text, Declaration(list) + xpBaseStruct::BuildArrayInitializer(model.*list.list) + " //" +
                                 std::string(list.skillsFile.skill) + skillTag);
            if (list.skillsFile.devotionFollows)
                AppendLine(text, "new const p_devotion = " + model.devotionValue + " //Devotion Aura" + skillTag);
        }
        AppendLine(text, "");
    }
}

}  // namespace

std::string xpBaseStruct::SkillsIncludeText(const tarnekArrayStruct& model)
{
    std::string text;
    text.reserve(8192);
    AppendLevelConstants(text, model);
    AppendPercentLimits(text, model);
    AppendSkillArrays(text, model);
    return text;
}
