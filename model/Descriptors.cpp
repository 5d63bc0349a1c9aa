#include "Descriptors.h"

#include <algorithm>
#include <limits>

#include "FillRules.h"
#include "TextReadings.h"

namespace {

using M = tarnekArrayStruct;
using R = FillRule;
using L = LengthRule;
using K = ArrayKind;

constexpr std::string_view kXpTable = "XP за убийство";
constexpr std::string_view kTier1Table = "Скилы 1 уровня";
constexpr std::string_view kTier2Table = "Скилы 2 уровня";
constexpr std::string_view kTier3Table = "Скилы 3 уровня";
constexpr std::string_view kTier4Table = "Скилы 4 уровня";

constexpr std::string_view kIncrement = "Приращение";
constexpr std::string_view kInitial = "Исходное значение";
constexpr std::string_view kMultiplier = "Множитель";
constexpr std::string_view kMaxPercent = "Максимальный %";
constexpr std::string_view kMaxChance = "Максимальный шанс";

constexpr std::string_view kXpLevelShortTerm = "Не сохраняемые XP (kq4_save_xp 0)";
constexpr std::string_view kXpLevelSaved = "Сохраняемые XP (kq4_save_xp 1)";
constexpr std::string_view kXpGivenShortTerm = "Не сохраняемые XP за убийство (kq4_save_xp 0)";
constexpr std::string_view kXpGivenSaved = "Сохраняемые XP за убийство (kq4_save_xp 1)";

constexpr std::string_view kVampiric = "Аура вампира (Vampiric Aura)";
constexpr std::string_view kInvisibility = "Невидимость (Invisibility)";
constexpr std::string_view kCritical = "Критический удар (Critical Strike)";
constexpr std::string_view kEvasion = "Уклонение (Evasion)";
constexpr std::string_view kPhoenix = "Феникс (Phoenix)";
constexpr std::string_view kHeal = "Волна жизни (Healing Wave)";
constexpr std::string_view kFan = "Веселье клинков (Fan of Knives)";
constexpr std::string_view kImpale = "Запутывание (Impale)";
constexpr std::string_view kUnholy = "Нечистая аура (Unholy Aura)";
constexpr std::string_view kGrenade = "Критические гранаты (Critical Grenade)";
constexpr std::string_view kThorns = "Шипастая аура (Thorns Aura)";
constexpr std::string_view kBanish = "Изгнание (Banish)";
constexpr std::string_view kHex = "Проклятье (Hex)";
constexpr std::string_view kBlink = "Потеря концентрации (Blink)";
constexpr std::string_view kSpiked = "Шипованная броня (Spiked Carapace)";
constexpr std::string_view kLevitation = "Полет (Levitation)";
constexpr std::string_view kBash = "Удар (Bash)";
constexpr std::string_view kAnkh = "Восстановление оружия (Equipment Reincarnation)";
constexpr std::string_view kTrueshot = "Аура правдивости (Trueshot Aura)";
constexpr std::string_view kMana = "Похищение брони (Siphon Mana)";
constexpr std::string_view kSerpent = "Змеиная суть (Serpent Ward)";
constexpr std::string_view kShadow = "Скрытый удар (Shadow Strike)";
constexpr std::string_view kCarrion = "Трупоеды (Carrion Beetles)";
constexpr std::string_view kResistant = "Шипованная кожа (Resistant Skin)";
constexpr std::string_view kConcoction = "Неустойчивый концентрат (Unstable Concoction)";
constexpr std::string_view kHarden = "Закаленная кожа (Hardened Skin)";
constexpr std::string_view kOrb = "Сфера уничтожения (Orb of Annihilation)";

constexpr std::string_view kHumanRace = "Значения расы Альянс Людей";
constexpr std::string_view kUndeadRace = "Значения расы Нежить";

const std::array<ListDescriptor, kListCount> kLists{{
    {"xpLevelShortTerm", &M::xpLevelShortTerm, Tier::Xp, kXpTable, kXpLevelShortTerm, "iXPLevelShortTerm", K::Integer, L::Levels, R::Increment, &M::xpLevelShortTermIncrement, &M::xpLevelShortTermInitial},
    {"xpLevelSaved", &M::xpLevelSaved, Tier::Xp, kXpTable, kXpLevelSaved, "iXPLevelSaved", K::Integer, L::Levels, R::Multiplier, &M::xpLevelSavedMultiplier, &M::xpLevelSavedInitial},
    {"xpGivenShortTerm", &M::xpGivenShortTerm, Tier::Xp, kXpTable, kXpGivenShortTerm, "iXPGivenShortTerm", K::Integer, L::Levels, R::Increment, &M::xpGivenShortTermIncrement, &M::xpGivenShortTermInitial},
    {"xpGivenSaved", &M::xpGivenSaved, Tier::Xp, kXpTable, kXpGivenSaved, "iXPGivenSaved", K::Integer, L::Levels, R::Increment, &M::xpGivenSavedIncrement, &M::xpGivenSavedInitial},

    {"vampiricList", &M::vampiricList, Tier::One, kTier1Table, kVampiric, "p_vampiric", K::Float, L::SkillLevels, R::Multiples, &M::vampiricIncrement},
    {"invisibilityList", &M::invisibilityList, Tier::One, kTier1Table, kInvisibility, "p_invisibility", K::Integer, L::SkillLevels, R::Decrement, &M::invisibilityDecrease, &M::invisibilityInitial},
    {"criticalList", &M::criticalList, Tier::One, kTier1Table, kCritical, "p_critical", K::Float, L::SkillLevels, R::Multiples, &M::criticalIncrement},
    {"evasionList", &M::evasionList, Tier::One, kTier1Table, kEvasion, "p_evasion", K::Float, L::SkillLevels, R::LinearToMax, &M::evasionMaxPercent},
    {"phoenixList", &M::phoenixList, Tier::One, kTier1Table, kPhoenix, "p_phoenix", K::Float, L::SkillLevels, R::LinearToMax, &M::phoenixMaxPercent},
    {"healList", &M::healList, Tier::One, kTier1Table, kHeal, "p_heal", K::Float, L::SkillLevels, R::DecreaseToZero, &M::healMaxPercent},
    {"fanList", &M::fanList, Tier::One, kTier1Table, kFan, "p_fan", K::Float, L::SkillLevels, R::LinearToMax, &M::fanMaxPercent},
    {"impaleList", &M::impaleList, Tier::One, kTier1Table, kImpale, "p_impale", K::Float, L::SkillLevels, R::LinearToMax, &M::impaleMaxPercent},

    {"unholyList", &M::unholyList, Tier::Two, kTier2Table, kUnholy, "p_unholy", K::Float, L::SkillLevels, R::IncreaseFromFixed, &M::unholyIncrement},
    {"grenadeList", &M::grenadeList, Tier::Two, kTier2Table, kGrenade, "p_grenade", K::Float, L::SkillLevels, R::Multiples, &M::grenadeIncrement},
    {"thornsList", &M::thornsList, Tier::Two, kTier2Table, kThorns, "p_thorns", K::Float, L::SkillLevels, R::Multiples, &M::thornsIncrement},
    {"banishList", &M::banishList, Tier::Two, kTier2Table, kBanish, "p_banish", K::Float, L::SkillLevels, R::LinearToMax, &M::banishMaxPercent},
    {"hexList", &M::hexList, Tier::Two, kTier2Table, kHex, "p_hex", K::Float, L::SkillLevels, R::LinearToMax, &M::hexMaxPercent},
    {"blinkList", &M::blinkList, Tier::Two, kTier2Table, kBlink, "p_blink", K::Float, L::SkillLevels, R::LinearToMax, &M::blinkMaxPercent},
    {"spikedList", &M::spikedList, Tier::Two, kTier2Table, kSpiked, "p_spiked", K::Float, L::SkillLevels, R::Multiples, &M::spikedIncrement},

    {"levitationList", &M::levitationList, Tier::Three, kTier3Table, kLevitation, "p_levitation", K::Float, L::SkillLevels, R::DecreaseFromFixed, &M::levitationLimit},
    {"bashList", &M::bashList, Tier::Three, kTier3Table, kBash, "p_bash", K::Float, L::SkillLevels, R::LinearToMax, &M::bashMaxPercent},
    {"ankhList", &M::ankhList, Tier::Three, kTier3Table, kAnkh, "p_ankh", K::Float, L::SkillLevels, R::LinearToMax, &M::ankhMaxPercent},
    {"trueshotList", &M::trueshotList, Tier::Three, kTier3Table, kTrueshot, "p_trueshot", K::Float, L::SkillLevels, R::Multiples, &M::trueshotIncrement},
    {"manaList", &M::manaList, Tier::Three, kTier3Table, kMana, "p_mana", K::Float, L::SkillLevels, R::Multiples, &M::manaIncrement},
    {"serpentList", &M::serpentList, Tier::Three, kTier3Table, kSerpent, "p_serpent", K::Integer, L::SkillLevels, R::Multiples, &M::serpentIncrement, nullptr, 1},
    {"shadowList", &M::shadowList, Tier::Three, kTier3Table, kShadow, "p_shadow", K::Float, L::SkillLevels, R::LinearToMax, &M::shadowMaxPercent},
    {"carrionList", &M::carrionList, Tier::Three, kTier3Table, kCarrion, "p_carrion", K::Float, L::SkillLevels, R::LinearToMax, &M::carrionMaxPercent},

    {"resistantList", &M::resistantList, Tier::Four, kTier4Table, kResistant, "p_resistant", K::Float, L::Levels, R::Multiples, &M::resistantIncrement},
    {"concoctionList", &M::concoctionList, Tier::Four, kTier4Table, kConcoction, "p_concoction", K::Float, L::Levels, R::LinearToMax, &M::concoctionMaxPercent},
    {"hardenList", &M::hardenList, Tier::Four, kTier4Table, kHarden, "p_harden", K::Float, L::Levels, R::LinearToMax, &M::hardenMaxPercent},
    {"orbList", &M::orbList, Tier::Four, kTier4Table, kOrb, "p_orb", K::Float, L::Levels, R::LinearToMax, &M::orbMaxPercent},
}};

using U = ParameterUse;

const std::array<ParameterDescriptor, kParameterCount> kParameters{{
    {"xpLevelShortTermIncrement", &M::xpLevelShortTermIncrement, Tier::Xp, kIncrement, kXpLevelShortTerm, U::FillRule},
    {"xpLevelShortTermInitial", &M::xpLevelShortTermInitial, Tier::Xp, kInitial, kXpLevelShortTerm, U::FillRule},
    {"xpLevelSavedMultiplier", &M::xpLevelSavedMultiplier, Tier::Xp, kMultiplier, kXpLevelSaved, U::FillRule},
    {"xpLevelSavedInitial", &M::xpLevelSavedInitial, Tier::Xp, kInitial, kXpLevelSaved, U::FillRule},
    {"xpGivenShortTermIncrement", &M::xpGivenShortTermIncrement, Tier::Xp, kIncrement, kXpGivenShortTerm, U::FillRule},
    {"xpGivenShortTermInitial", &M::xpGivenShortTermInitial, Tier::Xp, kInitial, kXpGivenShortTerm, U::FillRule},
    {"xpGivenSavedIncrement", &M::xpGivenSavedIncrement, Tier::Xp, kIncrement, kXpGivenSaved, U::FillRule},
    {"xpGivenSavedInitial", &M::xpGivenSavedInitial, Tier::Xp, kInitial, kXpGivenSaved, U::FillRule},

    {"vampiricIncrement", &M::vampiricIncrement, Tier::One, kIncrement, kVampiric, U::FillRule},
    {"criticalIncrement", &M::criticalIncrement, Tier::One, kIncrement, kCritical, U::FillRule},
    {"evasionMaxPercent", &M::evasionMaxPercent, Tier::One, kMaxPercent, kEvasion, U::FillRule},
    {"phoenixMaxPercent", &M::phoenixMaxPercent, Tier::One, kMaxPercent, kPhoenix, U::FillRule},
    {"healMaxPercent", &M::healMaxPercent, Tier::One, kMaxPercent, kHeal, U::FillRule},
    {"fanMaxPercent", &M::fanMaxPercent, Tier::One, kMaxPercent, kFan, U::FillRule},
    {"impaleMaxPercent", &M::impaleMaxPercent, Tier::One, kMaxPercent, kImpale, U::FillRule},
    {"invisibilityDecrease", &M::invisibilityDecrease, Tier::One, kHumanRace, "Уменьшение", U::FillRule},
    {"invisibilityInitial", &M::invisibilityInitial, Tier::One, kHumanRace, "Исходное", U::FillRule},
    {"evasionMaxChance", &M::evasionMaxChance, Tier::One, kMaxChance, kEvasion, U::SkillsFile},
    {"fanMaxChance", &M::fanMaxChance, Tier::One, kMaxChance, kFan, U::SkillsFile},
    {"impaleMaxChance", &M::impaleMaxChance, Tier::One, kMaxChance, kImpale, U::SkillsFile},

    {"unholyIncrement", &M::unholyIncrement, Tier::Two, kIncrement, kUnholy, U::FillRule},
    {"grenadeIncrement", &M::grenadeIncrement, Tier::Two, kIncrement, kGrenade, U::FillRule},
    {"thornsIncrement", &M::thornsIncrement, Tier::Two, kIncrement, kThorns, U::FillRule},
    {"banishMaxPercent", &M::banishMaxPercent, Tier::Two, kMaxPercent, kBanish, U::FillRule},
    {"hexMaxPercent", &M::hexMaxPercent, Tier::Two, kMaxPercent, kHex, U::FillRule},
    {"blinkMaxPercent", &M::blinkMaxPercent, Tier::Two, kMaxPercent, kBlink, U::FillRule},
    {"spikedIncrement", &M::spikedIncrement, Tier::Two, kIncrement, kSpiked, U::FillRule},
    {"banishMaxChance", &M::banishMaxChance, Tier::Two, kMaxChance, kBanish, U::SkillsFile},
    {"hexMaxChance", &M::hexMaxChance, Tier::Two, kMaxChance, kHex, U::SkillsFile},

    {"bashMaxPercent", &M::bashMaxPercent, Tier::Three, kMaxPercent, kBash, U::FillRule},
    {"ankhMaxPercent", &M::ankhMaxPercent, Tier::Three, kMaxPercent, kAnkh, U::FillRule},
    {"trueshotIncrement", &M::trueshotIncrement, Tier::Three, kIncrement, kTrueshot, U::FillRule},
    {"manaIncrement", &M::manaIncrement, Tier::Three, kIncrement, kMana, U::FillRule},
    {"serpentIncrement", &M::serpentIncrement, Tier::Three, kIncrement, kSerpent, U::FillRule},
    {"shadowMaxPercent", &M::shadowMaxPercent, Tier::Three, kMaxPercent, kShadow, U::FillRule},
    {"carrionMaxPercent", &M::carrionMaxPercent, Tier::Three, kMaxPercent, kCarrion, U::FillRule},
    {"levitationLimit", &M::levitationLimit, Tier::Three, kUndeadRace, "Предел", U::FillRule},
    {"bashMaxChance", &M::bashMaxChance, Tier::Three, kMaxChance, kBash, U::SkillsFile},
    {"shadowMaxChance", &M::shadowMaxChance, Tier::Three, kMaxChance, kShadow, U::SkillsFile},
    {"carrionMaxChance", &M::carrionMaxChance, Tier::Three, kMaxChance, kCarrion, U::SkillsFile},

    {"resistantIncrement", &M::resistantIncrement, Tier::Four, kIncrement, kResistant, U::FillRule},
    {"concoctionMaxPercent", &M::concoctionMaxPercent, Tier::Four, kMaxPercent, kConcoction, U::FillRule},
    {"hardenMaxPercent", &M::hardenMaxPercent, Tier::Four, kMaxPercent, kHarden, U::FillRule},
    {"orbMaxPercent", &M::orbMaxPercent, Tier::Four, kMaxPercent, kOrb, U::FillRule},
    {"concoctionMaxChance", &M::concoctionMaxChance, Tier::Four, kMaxChance, kConcoction, U::SkillsFile},
    {"orbMaxChance", &M::orbMaxChance, Tier::Four, kMaxChance, kOrb, U::SkillsFile},
}};

const SingleValueDescriptor kLevelCount{"levelCountText", &M::levelCountText, Tier::Xp, "Количество уровней", "Количество уровней"};
const SingleValueDescriptor kDevotion{"devotionValue", &M::devotionValue, Tier::Two, kTier2Table, "Аура преданности (Devotion Aura)"};

const std::array<LevelTableDescriptor, 5> kLevelTables{{
    {Tier::Xp, kXpTable, "Уровень"},
    {Tier::One, kTier1Table, "Скилл"},
    {Tier::Two, kTier2Table, "Скилл"},
    {Tier::Three, kTier3Table, "Скилл"},
    {Tier::Four, kTier4Table, "Уровень"},
}};

// maxLevels + 1 without overflowing on an absurd stored count.
std::int32_t levelsPlusOne(std::int32_t maxLevels)
{
    return maxLevels == std::numeric_limits<std::int32_t>::max() ? maxLevels : maxLevels + 1;
}

} // namespace

const std::array<ListDescriptor, kListCount>& ValueLists()
{
    return kLists;
}

const std::array<ParameterDescriptor, kParameterCount>& Parameters()
{
    return kParameters;
}

const SingleValueDescriptor& LevelCountValue()
{
    return kLevelCount;
}

const SingleValueDescriptor& DevotionValue()
{
    return kDevotion;
}

const std::array<LevelTableDescriptor, 5>& LevelTables()
{
    return kLevelTables;
}

std::span<const ListDescriptor> ListsOfTier(Tier tier)
{
    const auto first = std::find_if(kLists.begin(), kLists.end(), [tier](const ListDescriptor& d) { return d.tier == tier; });
    const auto last = std::find_if(first, kLists.end(), [tier](const ListDescriptor& d) { return d.tier != tier; });
    return {first, last};
}

std::optional<std::size_t> FindList(std::string_view field)
{
    for (std::size_t i = 0; i < kLists.size(); ++i)
        if (kLists[i].field == field)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> FindParameter(std::string_view field)
{
    for (std::size_t i = 0; i < kParameters.size(); ++i)
        if (kParameters[i].field == field)
            return i;
    return std::nullopt;
}

std::int32_t FillCount(const ListDescriptor& list, const tarnekArrayStruct& model)
{
    return list.length == LengthRule::Levels ? levelsPlusOne(model.maxLevels) : model.skillLevels;
}

void RunFill(const ListDescriptor& d, tarnekArrayStruct& model, std::int32_t count)
{
    ValueList& list = model.*d.list;
    const std::string& first = model.*d.firstParameter;
    switch (d.rule) {
    case FillRule::Increment:
        FillIncrement(count, first, model.*d.secondParameter, list);
        break;
    case FillRule::Multiplier:
        FillMultiplier(count, first, model.*d.secondParameter, list);
        break;
    case FillRule::LinearToMax:
        FillLinearToMax(count, first, list);
        break;
    case FillRule::Multiples:
        FillMultiples(count, first, list, d.mode);
        break;
    case FillRule::DecreaseFromFixed:
        FillDecreaseFromFixed(count, first, list);
        break;
    case FillRule::DecreaseToZero:
        FillDecreaseToZero(count, first, list);
        break;
    case FillRule::Decrement:
        FillDecrement(count, ReadInteger(first), model.*d.secondParameter, list);
        break;
    case FillRule::IncreaseFromFixed:
        FillIncreaseFromFixed(count, first, list);
        break;
    }
}

void RecomputeAllLists(tarnekArrayStruct& model)
{
    model.RefreshMaxLevels();
    // The XP tables are regenerated saved-XP-needed first, then in table order.
    for (std::size_t index : {1U, 0U, 2U, 3U})
        RunFill(kLists[index], model, FillCount(kLists[index], model));
    model.skillLevels = model.maxLevels / 3;
    for (const ListDescriptor& d : kLists)
        if (d.tier != Tier::Xp)
            RunFill(d, model, FillCount(d, model));
}
