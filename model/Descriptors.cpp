#include "model/Descriptors.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "model/FillRules.h"
#include "model/TextReadings.h"

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

// One row per list, one per parameter text: kept as rows, not laid out by clang-format.
// clang-format off
constexpr std::array<ListDescriptor, kListCount> kLists{{
    {"xpLevelShortTerm", &M::xpLevelShortTerm, Tier::Xp, kXpTable, kXpLevelShortTerm, "iXPLevelShortTerm", K::Integer, L::Levels, R::Increment, &M::xpLevelShortTermIncrement, &M::xpLevelShortTermInitial},
    {"xpLevelSaved", &M::xpLevelSaved, Tier::Xp, kXpTable, kXpLevelSaved, "iXPLevelSaved", K::Integer, L::Levels, R::Multiplier, &M::xpLevelSavedMultiplier, &M::xpLevelSavedInitial},
    {"xpGivenShortTerm", &M::xpGivenShortTerm, Tier::Xp, kXpTable, kXpGivenShortTerm, "iXPGivenShortTerm", K::Integer, L::Levels, R::Increment, &M::xpGivenShortTermIncrement, &M::xpGivenShortTermInitial},
    {"xpGivenSaved", &M::xpGivenSaved, Tier::Xp, kXpTable, kXpGivenSaved, "iXPGivenSaved", K::Integer, L::Levels, R::Increment, &M::xpGivenSavedIncrement, &M::xpGivenSavedInitial},

    {"vampiricList", &M::vampiricList, Tier::One, kTier1Table, kVampiric, "p_vampiric", K::Float, L::SkillLevels, R::Multiples, &M::vampiricIncrement, nullptr, 0,
     {"Навык: Аура вампира (Vampiric Aura), Раса: Нежить (Undead Scourge)", 1011, 1019},
     {"Vampiric Aura"}},
    {"invisibilityList", &M::invisibilityList, Tier::One, kTier1Table, kInvisibility, "p_invisibility", K::Integer, L::SkillLevels, R::Decrement, &M::invisibilityDecrease, &M::invisibilityInitial, 0,
     {"Навык: Невидимость (Invisibility), Раса: Альянс Людей (Human Alliance)", 1012, 1020},
     {"Invisibility"}},
    {"criticalList", &M::criticalList, Tier::One, kTier1Table, kCritical, "p_critical", K::Float, L::SkillLevels, R::Multiples, &M::criticalIncrement, nullptr, 0,
     {"Навык: Критический удар (Critical Strike), Раса: Орда Орков (Orcish Horde)", 1013, 1021},
     {"Critical Strike"}},
    {"evasionList", &M::evasionList, Tier::One, kTier1Table, kEvasion, "p_evasion", K::Float, L::SkillLevels, R::LinearToMax, &M::evasionMaxPercent, nullptr, 0,
     {"Навык: Уклонение (Evasion), Раса: Ночные Эльфы (Night Elves of Kalimdor)", 1014, 1022},
     {"Evasion", {"EVASION", " //p_evasion", "", &M::evasionMaxChance}}},
    {"phoenixList", &M::phoenixList, Tier::One, kTier1Table, kPhoenix, "p_phoenix", K::Float, L::SkillLevels, R::LinearToMax, &M::phoenixMaxPercent, nullptr, 0,
     {"Навык: Феникс (Phoenix), Раса: Кровавый Маг (Blood Mage)", 1015, 1023},
     {"Phoenix", {"PHOENIX", "   //p_phoenix"}}},
    {"healList", &M::healList, Tier::One, kTier1Table, kHeal, "p_heal", K::Float, L::SkillLevels, R::DecreaseToZero, &M::healMaxPercent, nullptr, 0,
     {"Навык: Волна жизни (Healing Wave), Раса: Призрачный Охотник (Shadow Hunter)", 1016, 1025},
     {"Healing Wave"}},
    {"fanList", &M::fanList, Tier::One, kTier1Table, kFan, "p_fan", K::Float, L::SkillLevels, R::LinearToMax, &M::fanMaxPercent, nullptr, 0,
     {"Навык: Веселье клинков (Fan of Knives), Раса: Шпион (Warden)", 1017, 1026},
     {"Fan of Knives", {"FAN", " //p_fan", "", &M::fanMaxChance}}},
    {"impaleList", &M::impaleList, Tier::One, kTier1Table, kImpale, "p_impale", K::Float, L::SkillLevels, R::LinearToMax, &M::impaleMaxPercent, nullptr, 0,
     {"Навык: Запутывание (Impale), Раса: Лорд Мертвых (Crypt Lord)", 1018, 1027},
     {"Impale", {"IMPALE", " //p_impale", "", &M::impaleMaxChance}}},

    {"unholyList", &M::unholyList, Tier::Two, kTier2Table, kUnholy, "p_unholy", K::Float, L::SkillLevels, R::IncreaseFromFixed, &M::unholyIncrement, nullptr, 0,
     {"Навык: Нечистая аура (Unholy Aura), Раса: Нежить (Undead Scourge)", 1020, 1033},
     {"Unholy Aura", {}, "new Float:p_unholy[MAX_SKILL_LEVEL] =  ", true}},
    {"grenadeList", &M::grenadeList, Tier::Two, kTier2Table, kGrenade, "p_grenade", K::Float, L::SkillLevels, R::Multiples, &M::grenadeIncrement, nullptr, 0,
     {"Навык: Критические гранаты (Critical Grenade), Раса: Орда Орков (Orcish Horde)", 1021, 1032},
     {"Critical Grenade"}},
    {"thornsList", &M::thornsList, Tier::Two, kTier2Table, kThorns, "p_thorns", K::Float, L::SkillLevels, R::Multiples, &M::thornsIncrement, nullptr, 0,
     {"Навык: Шипастая аура (Thorns Aura), Раса: Ночные Эльфы (Night Elves of Kalimdor)", 1022, 1031},
     {"Thorns Aura"}},
    {"banishList", &M::banishList, Tier::Two, kTier2Table, kBanish, "p_banish", K::Float, L::SkillLevels, R::LinearToMax, &M::banishMaxPercent, nullptr, 0,
     {"Навык: Изгнание (Banish), Раса: Кровавый Маг (Blood Mage)", 1023, 1030},
     {"Banish", {"BANISH", "   //p_banish", "", &M::banishMaxChance}}},
    {"hexList", &M::hexList, Tier::Two, kTier2Table, kHex, "p_hex", K::Float, L::SkillLevels, R::LinearToMax, &M::hexMaxPercent, nullptr, 0,
     {"Навык: Проклятье (Hex), Раса: Призрачный Охотник (Shadow Hunter)", 1024, 1029},
     {"Hex", {"HEX", "   //p_hex", "", &M::hexMaxChance}}},
    {"blinkList", &M::blinkList, Tier::Two, kTier2Table, kBlink, "p_blink", K::Float, L::SkillLevels, R::LinearToMax, &M::blinkMaxPercent, nullptr, 0,
     {"Навык: Потеря концентрации (Blink), Раса: Шпион (Warden)", 1025, 1028},
     {"Blink", {"BLINK", "   //p_blink"}}},
    {"spikedList", &M::spikedList, Tier::Two, kTier2Table, kSpiked, "p_spiked", K::Float, L::SkillLevels, R::Multiples, &M::spikedIncrement, nullptr, 0,
     {"Навык: Шипованная броня (Spiked Carapace), Раса: Лорд Мертвых (Crypt Lord)", 1026, 1094},
     {"Spiked Carapace"}},

    {"levitationList", &M::levitationList, Tier::Three, kTier3Table, kLevitation, "p_levitation", K::Float, L::SkillLevels, R::DecreaseFromFixed, &M::levitationLimit, nullptr, 0,
     {"Навык: Полет (Levitation), Раса: Нежить (Undead Scourge)", 1028, 1095},
     {"Levitation"}},
    {"bashList", &M::bashList, Tier::Three, kTier3Table, kBash, "p_bash", K::Float, L::SkillLevels, R::LinearToMax, &M::bashMaxPercent, nullptr, 0,
     {"Навык: Удар (Bash), Раса: Альянс Людей (Human Alliance)", 1029, 1096},
     {"Bash", {"BASH", "   //p_bash", "", &M::bashMaxChance}}},
    {"ankhList", &M::ankhList, Tier::Three, kTier3Table, kAnkh, "p_ankh", K::Float, L::SkillLevels, R::LinearToMax, &M::ankhMaxPercent, nullptr, 0,
     {"Навык: Восстановление оружия (Equipment Reincarnation), Раса: Орда Орков (Orcish Horde)", 1030, 1097, true},
     {"Equipment reincarnation", {"ANKH", "   //p_ankh"}}},
    {"trueshotList", &M::trueshotList, Tier::Three, kTier3Table, kTrueshot, "p_trueshot", K::Float, L::SkillLevels, R::Multiples, &M::trueshotIncrement, nullptr, 0,
     {"Навык: Аура правдивости (Trueshot Aura), Раса: Ночные Эльфы (Night Elves of Kalimdor)", 1031, 1098},
     {"Trueshot Aura"}},
    {"manaList", &M::manaList, Tier::Three, kTier3Table, kMana, "p_mana", K::Float, L::SkillLevels, R::Multiples, &M::manaIncrement, nullptr, 0,
     {"Навык: Похищение брони (Siphon Mana), Раса: Кровавый Маг (Blood Mage)", 1032, 1099},
     {"Siphon Mana"}},
    {"serpentList", &M::serpentList, Tier::Three, kTier3Table, kSerpent, "p_serpent", K::Integer, L::SkillLevels, R::Multiples, &M::serpentIncrement, nullptr, 1,
     {"Навык: Змеиная суть (Serpent Ward), Раса: Призрачный Охотник (Shadow Hunter)", 1033, 1100},
     {"Serpent Ward"}},
    {"shadowList", &M::shadowList, Tier::Three, kTier3Table, kShadow, "p_shadow", K::Float, L::SkillLevels, R::LinearToMax, &M::shadowMaxPercent, nullptr, 0,
     {"Навык: Скрытый удар (Shadow Strike), Раса: Шпион (Warden)", 1034, 1101},
     {"Shadow Strike", {"SHADOW", " //p_shadow", "", &M::shadowMaxChance}}},
    {"carrionList", &M::carrionList, Tier::Three, kTier3Table, kCarrion, "p_carrion", K::Float, L::SkillLevels, R::LinearToMax, &M::carrionMaxPercent, nullptr, 0,
     {"Навык: Трупоеды (Carrion Beetles), Раса: Лорд Мертвых (Crypt Lord)", 1035, 1036},
     {"Carrion Beetle", {"CARRION", "   //p_carrion", "", &M::carrionMaxChance}}},

    {"resistantList", &M::resistantList, Tier::Four, kTier4Table, kResistant, "p_resistant", K::Float, L::Levels, R::Multiples, &M::resistantIncrement, nullptr, 0,
     {"Навык: Шипованная кожа (Resistant Skin), Раса: Кровавый Маг (Blood Mage)", 1037, 1102},
     {"Resistant Skin"}},
    {"concoctionList", &M::concoctionList, Tier::Four, kTier4Table, kConcoction, "p_concoction", K::Float, L::Levels, R::LinearToMax, &M::concoctionMaxPercent, nullptr, 0,
     {"Навык: Неустойчивый концентрат (Unstable Concoction), Раса: Призрачный Охотник (Shadow Hunter)", 1038, 1103},
     {"Unstable Concoction", {"CONCOCTION", "   //p_concoction", "", &M::concoctionMaxChance}}},
    {"hardenList", &M::hardenList, Tier::Four, kTier4Table, kHarden, "p_harden", K::Float, L::Levels, R::LinearToMax, &M::hardenMaxPercent, nullptr, 0,
     {"Навык: Закаленная кожа (Hardened Skin), Раса: Шпион (Warden)", 1039, 1104},
     {"Hardened Skin", {"HARDEN", "", "   //p_harden"}}},
    {"orbList", &M::orbList, Tier::Four, kTier4Table, kOrb, "p_orb", K::Float, L::Levels, R::LinearToMax, &M::orbMaxPercent, nullptr, 0,
     {"Навык: Сфера уничтожения (Orb of Annihilation), Раса: Лорд Мертвых (Crypt Lord)", 1040, 1041},
     {"Orb of Annihilation", {"ORB", "   //p_orb", "", &M::orbMaxChance}}},
}};

using U = ParameterUse;

constexpr std::array<ParameterDescriptor, kParameterCount> kParameters{{
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
// clang-format on

// A row left short, or a configuration member without a row, fails the build here
// instead of a dialog, a save or a generated source at run time.
constexpr bool NeedsSecondParameter(FillRule rule)
{
    return rule == R::Increment || rule == R::Multiplier || rule == R::Decrement;
}

constexpr bool IsComplete(const ListDescriptor& d)
{
    const bool skill = d.tier != Tier::Xp;
    return !d.field.empty() && d.list != nullptr && !d.table.empty() && !d.column.empty() && !d.array.empty() &&
           d.firstParameter != nullptr && NeedsSecondParameter(d.rule) == (d.secondParameter != nullptr) &&
           skill == !d.band.title.empty() && skill == (d.band.gridId != 0 && d.band.fillButtonId != 0) &&
           skill == !d.skillsFile.skill.empty();
}

constexpr bool EveryListIsComplete()
{
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        // The tiers follow one another (ListsOfTier hands out a contiguous run).
        if (!IsComplete(kLists[i]) || (i > 0 && kLists[i].tier < kLists[i - 1].tier))
            return false;
    }
    return true;
}
static_assert(EveryListIsComplete(), "every value list needs its storage, plugin array, fill parameters, and for "
                                     "a skill its dialog band and skills.inl lines");

constexpr bool EveryParameterIsComplete()
{
    for (const ParameterDescriptor& p : kParameters) {
        if (p.field.empty() || p.text == nullptr || p.table.empty() || p.column.empty())
            return false;
    }
    return true;
}
static_assert(EveryParameterIsComplete(), "every parameter text needs its storage");

constexpr std::size_t XpListsInTable()
{
    std::size_t count = 0;
    for (const ListDescriptor& d : kLists)
        count += d.tier == Tier::Xp ? 1 : 0;
    return count;
}
static_assert(XpListsInTable() == kXpListCount, "kXpListCount must count the table's XP lists, or one has no grid");

// The level count and Devotion Aura are the two single values; maxLevels and skillLevels
// are derived. Anything else in the configuration must have a row above.
static_assert(sizeof(tarnekArrayStruct) == kListCount * sizeof(ValueList) +
                                               (kParameterCount + 2) * sizeof(std::string) + 2 * sizeof(std::int32_t),
              "a member of tarnekArrayStruct has no descriptor row, or a row no member");

const SingleValueDescriptor kLevelCount{"levelCountText", &M::levelCountText, Tier::Xp, "Количество уровней",
                                        "Количество уровней"};
const SingleValueDescriptor kDevotion{"devotionValue", &M::devotionValue, Tier::Two, kTier2Table,
                                      "Аура преданности (Devotion Aura)"};

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

}  // namespace

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
    const auto first =
        std::find_if(kLists.begin(), kLists.end(), [tier](const ListDescriptor& d) { return d.tier == tier; });
    const auto last = std::find_if(first, kLists.end(), [tier](const ListDescriptor& d) { return d.tier != tier; });
    return {first, last};
}

std::size_t IndexOf(ListField list)
{
    for (std::size_t i = 0; i < kLists.size(); ++i)
        if (kLists[i].list == list)
            return i;
    throw std::invalid_argument("no value list is stored in this member");
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
    const ListDescriptor& savedNeeded = kLists[IndexOf(&M::xpLevelSaved)];
    RunFill(savedNeeded, model, FillCount(savedNeeded, model));
    for (const ListDescriptor& d : ListsOfTier(Tier::Xp))
        if (&d != &savedNeeded)
            RunFill(d, model, FillCount(d, model));
    model.skillLevels = model.maxLevels / 3;
    for (const ListDescriptor& d : kLists)
        if (d.tier != Tier::Xp)
            RunFill(d, model, FillCount(d, model));
}
