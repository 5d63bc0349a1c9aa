#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Descriptors.h"
#include "NumberFormats.h"
#include "TextReadings.h"
#include "xpBaseStruct.h"

// The layout of skills.inl is the plugin's, with its irregular spacing, so its fixed text
// stays here verbatim; which arrays exist, their order, names and kinds come from the
// descriptor table.

namespace {

// One MIN_PERCENT_/MAX_PERCENT_ pair. The maximum is either a maximum-chance text
// (normalised) or the last entry of the skill's own list (verbatim).
struct PercentLimit {
    Tier tier;
    std::string_view name;
    std::string_view minComment;  // empty: the skill has no minimum line
    TextField chance;
    ListField lastOf;
    std::string_view maxComment;
};

using T = tarnekArrayStruct;

const std::array<PercentLimit, 14> kPercentLimits = {{
    {Tier::One, "EVASION", " //p_evasion", &T::evasionMaxChance, nullptr, ""},
    {Tier::One, "PHOENIX", "   //p_phoenix", nullptr, &T::phoenixList, ""},
    {Tier::One, "FAN", " //p_fan", &T::fanMaxChance, nullptr, ""},
    {Tier::One, "IMPALE", " //p_impale", &T::impaleMaxChance, nullptr, ""},
    {Tier::Two, "BANISH", "   //p_banish", &T::banishMaxChance, nullptr, ""},
    {Tier::Two, "HEX", "   //p_hex", &T::hexMaxChance, nullptr, ""},
    {Tier::Two, "BLINK", "   //p_blink", nullptr, &T::blinkList, ""},
    {Tier::Three, "BASH", "   //p_bash", &T::bashMaxChance, nullptr, ""},
    {Tier::Three, "ANKH", "   //p_ankh", nullptr, &T::ankhList, ""},
    {Tier::Three, "SHADOW", " //p_shadow", &T::shadowMaxChance, nullptr, ""},
    {Tier::Three, "CARRION", "   //p_carrion", &T::carrionMaxChance, nullptr, ""},
    {Tier::Four, "CONCOCTION", "   //p_concoction", &T::concoctionMaxChance, nullptr, ""},
    {Tier::Four, "HARDEN", "", nullptr, &T::hardenList, "   //p_harden"},
    {Tier::Four, "ORB", "   //p_orb", &T::orbMaxChance, nullptr, ""},
}};

// The comment behind each array, and the one declaration the plugin spells differently.
struct ArrayText {
    std::string_view array;
    std::string_view skill;
    std::string_view declaration = {};  // empty: the regular form
};

const std::array<ArrayText, 27> kArrayTexts = {{
    {"p_vampiric", "Vampiric Aura"},
    {"p_invisibility", "Invisibility"},
    {"p_critical", "Critical Strike"},
    {"p_evasion", "Evasion"},
    {"p_phoenix", "Phoenix"},
    {"p_heal", "Healing Wave"},
    {"p_fan", "Fan of Knives"},
    {"p_impale", "Impale"},
    {"p_unholy", "Unholy Aura", "new Float:p_unholy[MAX_SKILL_LEVEL] =  "},
    {"p_grenade", "Critical Grenade"},
    {"p_thorns", "Thorns Aura"},
    {"p_banish", "Banish"},
    {"p_hex", "Hex"},
    {"p_blink", "Blink"},
    {"p_spiked", "Spiked Carapace"},
    {"p_levitation", "Levitation"},
    {"p_bash", "Bash"},
    {"p_ankh", "Equipment reincarnation"},
    {"p_trueshot", "Trueshot Aura"},
    {"p_mana", "Siphon Mana"},
    {"p_serpent", "Serpent Ward"},
    {"p_shadow", "Shadow Strike"},
    {"p_carrion", "Carrion Beetle"},
    {"p_resistant", "Resistant Skin"},
    {"p_concoction", "Unstable Concoction"},
    {"p_harden", "Hardened Skin"},
    {"p_orb", "Orb of Annihilation"},
}};

// Devotion Aura has one value for all levels and stands right after this array.
constexpr std::string_view kDevotionFollows = "p_unholy";

const ArrayText& TextOf(std::string_view array)
{
    for (const ArrayText& entry : kArrayTexts) {
        if (entry.array == array)
            return entry;
    }
    throw std::logic_error("skills.inl has no line for array " + std::string(array));
}

std::string TierNumber(Tier tier) { return FormatInteger(static_cast<std::int32_t>(tier)); }

// An empty list has no last entry; its maximum line then ends after the name, as it does
// for an empty last entry.
const std::string& LastEntry(const ValueList& list)
{
    static const std::string none;
    return list.empty() ? none : list.at(list.size() - 1);
}

void AppendLine(std::string& text, std::string_view line) { text.append(line).append(kCrLf); }

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
        for (const PercentLimit& limit : kPercentLimits) {
            if (limit.tier != tier)
                continue;
            if (!limit.minComment.empty())
                AppendLine(text, "#define MIN_PERCENT_" + std::string(limit.name) + " 0.0" + std::string(limit.minComment));
            const std::string maximum = limit.chance ? tarnekArrayStruct::NormalizeChanceText(model.*limit.chance)
                                                     : LastEntry(model.*limit.lastOf);
            AppendLine(text, "#define MAX_PERCENT_" + std::string(limit.name) + " " + maximum + std::string(limit.maxComment));
        }
        AppendLine(text, "");
    }
}

std::string Declaration(const ListDescriptor& list, const ArrayText& texts)
{
    if (!texts.declaration.empty())
        return std::string(texts.declaration);
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
            const ArrayText& texts = TextOf(list.array);
            AppendLine(text, Declaration(list, texts) + xpBaseStruct::BuildArrayInitializer(model.*list.list) + " //" +
                                 std::string(texts.skill) + skillTag);
            if (list.array == kDevotionFollows)
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
