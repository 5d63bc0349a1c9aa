#include "SkillTiers.h"

#include <stdexcept>

namespace {

using M = tarnekArrayStruct;

constexpr SkillBand kTier1Bands[] = {
    {"Навык: Аура вампира (Vampiric Aura), Раса: Нежить (Undead Scourge)", 4, 1011, 1019},
    {"Навык: Невидимость (Invisibility), Раса: Альянс Людей (Human Alliance)", 5, 1012, 1020},
    {"Навык: Критический удар (Critical Strike), Раса: Орда Орков (Orcish Horde)", 6, 1013, 1021},
    {"Навык: Уклонение (Evasion), Раса: Ночные Эльфы (Night Elves of Kalimdor)", 7, 1014, 1022},
    {"Навык: Феникс (Phoenix), Раса: Кровавый Маг (Blood Mage)", 8, 1015, 1023},
    {"Навык: Волна жизни (Healing Wave), Раса: Призрачный Охотник (Shadow Hunter)", 9, 1016, 1025},
    {"Навык: Веселье клинков (Fan of Knives), Раса: Шпион (Warden)", 10, 1017, 1026},
    {"Навык: Запутывание (Impale), Раса: Лорд Мертвых (Crypt Lord)", 11, 1018, 1027},
};

constexpr ParameterBox kTier1Boxes[] = {
    {0, "Приращение:", 1049, &M::vampiricIncrement},
    {2, "Приращение:", 1051, &M::criticalIncrement},
    {3, "Max %:", 1053, &M::evasionMaxPercent},
    {4, "Max %:", 1055, &M::phoenixMaxPercent},
    {5, "Max %:", 1061, &M::healMaxPercent},
    {6, "Max %:", 1058, &M::fanMaxPercent},
    {7, "Max %:", 1060, &M::impaleMaxPercent},
    {1, "Уменьшение:", 1050, &M::invisibilityDecrease, true},
    {1, "Исходное:", 1052, &M::invisibilityInitial, true},
    {3, "Max Шанс:", 1093, &M::evasionMaxChance},
    {6, "Max Шанс:", 1056, &M::fanMaxChance},
    {7, "Max Шанс:", 1057, &M::impaleMaxChance},
};

constexpr SkillBand kTier2Bands[] = {
    {"Навык: Нечистая аура (Unholy Aura), Раса: Нежить (Undead Scourge)", 12, 1020, 1033},
    {"Навык: Критические гранаты (Critical Grenade), Раса: Орда Орков (Orcish Horde)", 13, 1021, 1032},
    {"Навык: Шипастая аура (Thorns Aura), Раса: Ночные Эльфы (Night Elves of Kalimdor)", 14, 1022, 1031},
    {"Навык: Изгнание (Banish), Раса: Кровавый Маг (Blood Mage)", 15, 1023, 1030},
    {"Навык: Проклятье (Hex), Раса: Призрачный Охотник (Shadow Hunter)", 16, 1024, 1029},
    {"Навык: Потеря концентрации (Blink), Раса: Шпион (Warden)", 17, 1025, 1028},
    {"Навык: Шипованная броня (Spiked Carapace), Раса: Лорд Мертвых (Crypt Lord)", 18, 1026, 1094},
    {"Навык: Аура преданности (Devotion Aura), Раса: Альянс Людей (Human Alliance)", std::nullopt},
};

// Devotion Aura's box comes first: it is set before the others when the dialog opens.
constexpr ParameterBox kTier2Boxes[] = {
    {7, "", 1043, &M::devotionValue},
    {0, "Приращение:", 1061, &M::unholyIncrement},
    {1, "Приращение:", 1047, &M::grenadeIncrement},
    {2, "Приращение:", 1049, &M::thornsIncrement},
    {3, "Max %:", 1063, &M::banishMaxPercent},
    {4, "Max %:", 1065, &M::hexMaxPercent},
    {5, "Max %:", 1067, &M::blinkMaxPercent},
    {6, "Приращение:", 1068, &M::spikedIncrement},
    {3, "Max Шанс:", 1105, &M::banishMaxChance},
    {4, "Max Шанс:", 1058, &M::hexMaxChance},
};

constexpr SkillBand kTier3Bands[] = {
    {"Навык: Полет (Levitation), Раса: Нежить (Undead Scourge)", 19, 1028, 1095},
    {"Навык: Удар (Bash), Раса: Альянс Людей (Human Alliance)", 20, 1029, 1096},
    {"Навык: Восстановление оружия (Equipment Reincarnation), Раса: Орда Орков (Orcish Horde)", 21, 1030, 1097},
    {"Навык: Аура правдивости (Trueshot Aura), Раса: Ночные Эльфы (Night Elves of Kalimdor)", 22, 1031, 1098},
    {"Навык: Похищение брони (Siphon Mana), Раса: Кровавый Маг (Blood Mage)", 23, 1032, 1099},
    {"Навык: Змеиная суть (Serpent Ward), Раса: Призрачный Охотник (Shadow Hunter)", 24, 1033, 1100},
    {"Навык: Скрытый удар (Shadow Strike), Раса: Шпион (Warden)", 25, 1034, 1101},
    {"Навык: Трупоеды (Carrion Beetles), Раса: Лорд Мертвых (Crypt Lord)", 26, 1035, 1036},
};

constexpr ParameterBox kTier3Boxes[] = {
    {1, "Max %:", 1072, &M::bashMaxPercent},
    {2, "Max %:", 1074, &M::ankhMaxPercent},
    {3, "Приращение:", 1075, &M::trueshotIncrement},
    {4, "Приращение:", 1076, &M::manaIncrement},
    {5, "Приращение:", 1077, &M::serpentIncrement, true},
    {6, "Max %:", 1079, &M::shadowMaxPercent},
    {7, "Max %:", 1081, &M::carrionMaxPercent},
    {0, "Предел:", 1073, &M::levitationLimit},
    {1, "Max Шанс:", 1059, &M::bashMaxChance},
    {6, "Max Шанс:", 1092, &M::shadowMaxChance},
    {7, "Max Шанс:", 1106, &M::carrionMaxChance},
};

constexpr SkillBand kTier4Bands[] = {
    {"Навык: Шипованная кожа (Resistant Skin), Раса: Кровавый Маг (Blood Mage)", 27, 1037, 1102},
    {"Навык: Неустойчивый концентрат (Unstable Concoction), Раса: Призрачный Охотник (Shadow Hunter)", 28, 1038, 1103},
    {"Навык: Закаленная кожа (Hardened Skin), Раса: Шпион (Warden)", 29, 1039, 1104},
    {"Навык: Сфера уничтожения (Orb of Annihilation), Раса: Лорд Мертвых (Crypt Lord)", 30, 1040, 1041},
};

constexpr ParameterBox kTier4Boxes[] = {
    {0, "Приращение:", 1082, &M::resistantIncrement},
    {1, "Max %:", 1084, &M::concoctionMaxPercent},
    {2, "Max %:", 1086, &M::hardenMaxPercent},
    {3, "Max %:", 1088, &M::orbMaxPercent},
    {1, "Max Шанс:", 1108, &M::concoctionMaxChance},
    {3, "Max Шанс:", 1107, &M::orbMaxChance},
};

const SkillTier kTiers[] = {
    {Tier::One, 103, "Настройка скилов первого уровня", {850, 470}, 1010, kTier1Bands, kTier1Boxes},
    {Tier::Two, 104, "Настройка скилов второго уровня", {850, 433}, 1019, kTier2Bands, kTier2Boxes},
    {Tier::Three, 105, "Настройка скилов третьего уровня", {850, 462}, 1027, kTier3Bands, kTier3Boxes},
    {Tier::Four, 106, "Настройка скилов четвертого уровня", {850, 254}, 1036, kTier4Bands, kTier4Boxes},
};

}  // namespace

const SkillTier& SkillTierOf(Tier tier) {
    const auto index = static_cast<int>(tier);
    if (index < 1 || index > 4) throw std::invalid_argument("no skill dialog for this tier");
    return kTiers[index - 1];
}
