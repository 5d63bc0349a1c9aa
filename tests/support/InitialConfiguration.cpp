#include "tests/support/InitialConfiguration.h"

#include <utility>

#include "model/Descriptors.h"

tarnekArrayStruct InitialConfiguration()
{
    tarnekArrayStruct m;
    m.xpLevelShortTerm = {"0", "500", "1000", "1500", "2000", "2500", "3000", "3500", "4000", "4500", "5000"};
    m.xpLevelSaved = {"400", "2400", "4800", "8000", "12000", "16800", "22400", "28800", "36000", "44000", "52800"};
    m.xpGivenShortTerm = {"10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60"};
    m.xpGivenSaved = {"6", "8", "10", "12", "14", "16", "18", "20", "22", "24", "26"};
    m.levelCountText = "10";

    m.vampiricList = {"0.1", "0.2", "0.3"};
    m.invisibilityList = {"200", "175", "135"};
    m.criticalList = {"0.25", "0.5", "0.75"};
    m.evasionList = {"0.100", "0.175", "0.25"};
    m.phoenixList = {"0.333", "0.667", "1.000"};
    m.healList = {"6.0", "4.00", "2.00"};
    m.fanList = {"0.05", "0.1", "0.15"};
    m.impaleList = {"0.05", "0.1", "0.15"};

    m.unholyList = {"265.0", "285.0", "300.0"};
    m.devotionValue = "15";
    m.grenadeList = {"2.0", "3.0", "4.0"};
    m.thornsList = {"0.05", "0.1", "0.15"};
    m.banishList = {"0.05", "0.1", "0.15"};
    m.hexList = {"0.05", "0.1", "0.15"};
    m.blinkList = {"0.333", "0.667", "1.000"};
    m.spikedList = {"0.05", "0.1", "0.15"};

    m.levitationList = {"0.8", "0.60", "0.40"};
    m.bashList = {"0.100", "0.200", "0.300"};
    m.ankhList = {"0.333", "0.667", "1.000"};
    m.trueshotList = {"0.1", "0.2", "0.35"};
    m.manaList = {"0.02", "0.04", "0.08"};
    m.serpentList = {"1", "2", "3"};
    m.shadowList = {"0.05", "0.1", "0.15"};
    m.carrionList = {"0.05", "0.1", "0.15"};

    m.resistantList = {"0.02", "0.04", "0.08", "0.12", "0.16", "0.2", "0.24", "0.28", "0.32", "0.36", "0.40"};
    m.concoctionList = {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.1", "0.15"};
    m.hardenList = {"0.03", "0.05", "0.1", "0.15", "0.2", "0.25", "0.3", "0.35", "0.4", "0.45", "0.5"};
    m.orbList = {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.1", "0.15"};

    // The parameters, tier by tier.
    // clang-format off
    const std::pair<TextField, const char*> parameters[] = {
        {&tarnekArrayStruct::xpLevelShortTermIncrement, "500"}, {&tarnekArrayStruct::xpLevelShortTermInitial, "0"},
        {&tarnekArrayStruct::xpLevelSavedMultiplier, "2"}, {&tarnekArrayStruct::xpLevelSavedInitial, "400"},
        {&tarnekArrayStruct::xpGivenShortTermIncrement, "5"}, {&tarnekArrayStruct::xpGivenShortTermInitial, "10"},
        {&tarnekArrayStruct::xpGivenSavedIncrement, "2"}, {&tarnekArrayStruct::xpGivenSavedInitial, "6"},
        {&tarnekArrayStruct::vampiricIncrement, "0.1"}, {&tarnekArrayStruct::criticalIncrement, "0.25"},
        {&tarnekArrayStruct::evasionMaxPercent, "0.25"}, {&tarnekArrayStruct::phoenixMaxPercent, "1"},
        {&tarnekArrayStruct::healMaxPercent, "6.0"}, {&tarnekArrayStruct::fanMaxPercent, "0.15"},
        {&tarnekArrayStruct::impaleMaxPercent, "0.15"}, {&tarnekArrayStruct::invisibilityDecrease, "35"},
        {&tarnekArrayStruct::invisibilityInitial, "200"}, {&tarnekArrayStruct::evasionMaxChance, "1.0"},
        {&tarnekArrayStruct::fanMaxChance, "1.0"}, {&tarnekArrayStruct::impaleMaxChance, "1.0"},
        {&tarnekArrayStruct::unholyIncrement, "15.0"}, {&tarnekArrayStruct::grenadeIncrement, "1.0"},
        {&tarnekArrayStruct::thornsIncrement, "0.15"}, {&tarnekArrayStruct::banishMaxPercent, "0.15"},
        {&tarnekArrayStruct::hexMaxPercent, "0.15"}, {&tarnekArrayStruct::blinkMaxPercent, "1"},
        {&tarnekArrayStruct::spikedIncrement, "0.05"}, {&tarnekArrayStruct::banishMaxChance, "1.0"},
        {&tarnekArrayStruct::hexMaxChance, "1.0"}, {&tarnekArrayStruct::bashMaxPercent, "0.3"},
        {&tarnekArrayStruct::ankhMaxPercent, "1"}, {&tarnekArrayStruct::trueshotIncrement, "0.35"},
        {&tarnekArrayStruct::manaIncrement, "0.02"}, {&tarnekArrayStruct::serpentIncrement, "1"},
        {&tarnekArrayStruct::shadowMaxPercent, "0.15"}, {&tarnekArrayStruct::carrionMaxPercent, "0.15"},
        {&tarnekArrayStruct::levitationLimit, "0.6"}, {&tarnekArrayStruct::bashMaxChance, "1.0"},
        {&tarnekArrayStruct::shadowMaxChance, "1.0"}, {&tarnekArrayStruct::carrionMaxChance, "1.0"},
        {&tarnekArrayStruct::resistantIncrement, "0.02"}, {&tarnekArrayStruct::concoctionMaxPercent, "0.15"},
        {&tarnekArrayStruct::hardenMaxPercent, "0.5"}, {&tarnekArrayStruct::orbMaxPercent, "0.15"},
        {&tarnekArrayStruct::concoctionMaxChance, "1.0"}, {&tarnekArrayStruct::orbMaxChance, "1.0"}
    };
    // clang-format on
    for (const auto& [text, value] : parameters)
        m.*text = value;

    // maxLevels and skillLevels keep the constructor's values, as after a load: the
    // derived counts are left to whoever needs them next (DeriveLevelCounts).
    return m;
}

tarnekArrayStruct OpenedInitialConfiguration()
{
    tarnekArrayStruct m = InitialConfiguration();
    m.DeriveLevelCounts();
    return m;
}
