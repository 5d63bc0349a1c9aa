#include "InitialConfiguration.h"

tarnekArrayStruct InitialConfiguration()
{
    tarnekArrayStruct m;
    m.xpLevelShortTerm = {"0", "500", "1000", "1500", "2000", "2500", "3000", "3500", "4000", "4500", "5000"};
    m.xpLevelSaved = {"400", "2400", "4800", "8000", "12000", "16800", "22400", "28800", "36000", "44000", "52800"};
    m.xpGivenShortTerm = {"10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60"};
    m.xpGivenSaved = {"6", "8", "10", "12", "14", "16", "18", "20", "22", "24", "26"};
    m.levelCountText = "10";
    m.xpLevelShortTermIncrement = "500";
    m.xpLevelShortTermInitial = "0";
    m.xpLevelSavedMultiplier = "2";
    m.xpLevelSavedInitial = "400";
    m.xpGivenShortTermIncrement = "5";
    m.xpGivenShortTermInitial = "10";
    m.xpGivenSavedIncrement = "2";
    m.xpGivenSavedInitial = "6";

    m.vampiricList = {"0.1", "0.2", "0.3"};
    m.invisibilityList = {"200", "175", "135"};
    m.criticalList = {"0.25", "0.5", "0.75"};
    m.evasionList = {"0.100", "0.175", "0.25"};
    m.phoenixList = {"0.333", "0.667", "1.000"};
    m.healList = {"6.0", "4.00", "2.00"};
    m.fanList = {"0.05", "0.1", "0.15"};
    m.impaleList = {"0.05", "0.1", "0.15"};
    m.vampiricIncrement = "0.1";
    m.criticalIncrement = "0.25";
    m.evasionMaxPercent = "0.25";
    m.phoenixMaxPercent = "1";
    m.healMaxPercent = "6.0";
    m.fanMaxPercent = "0.15";
    m.impaleMaxPercent = "0.15";
    m.invisibilityDecrease = "35";
    m.invisibilityInitial = "200";
    m.evasionMaxChance = "1.0";
    m.fanMaxChance = "1.0";
    m.impaleMaxChance = "1.0";

    m.unholyList = {"265.0", "285.0", "300.0"};
    m.devotionValue = "15";
    m.grenadeList = {"2.0", "3.0", "4.0"};
    m.thornsList = {"0.05", "0.1", "0.15"};
    m.banishList = {"0.05", "0.1", "0.15"};
    m.hexList = {"0.05", "0.1", "0.15"};
    m.blinkList = {"0.333", "0.667", "1.000"};
    m.spikedList = {"0.05", "0.1", "0.15"};
    m.unholyIncrement = "15.0";
    m.grenadeIncrement = "1.0";
    m.thornsIncrement = "0.15";
    m.banishMaxPercent = "0.15";
    m.hexMaxPercent = "0.15";
    m.blinkMaxPercent = "1";
    m.spikedIncrement = "0.05";
    m.banishMaxChance = "1.0";
    m.hexMaxChance = "1.0";

    m.levitationList = {"0.8", "0.60", "0.40"};
    m.bashList = {"0.100", "0.200", "0.300"};
    m.ankhList = {"0.333", "0.667", "1.000"};
    m.trueshotList = {"0.1", "0.2", "0.35"};
    m.manaList = {"0.02", "0.04", "0.08"};
    m.serpentList = {"1", "2", "3"};
    m.shadowList = {"0.05", "0.1", "0.15"};
    m.carrionList = {"0.05", "0.1", "0.15"};
    m.bashMaxPercent = "0.3";
    m.ankhMaxPercent = "1";
    m.trueshotIncrement = "0.35";
    m.manaIncrement = "0.02";
    m.serpentIncrement = "1";
    m.shadowMaxPercent = "0.15";
    m.carrionMaxPercent = "0.15";
    m.levitationLimit = "0.6";
    m.bashMaxChance = "1.0";
    m.shadowMaxChance = "1.0";
    m.carrionMaxChance = "1.0";

    m.resistantList = {"0.02", "0.04", "0.08", "0.12", "0.16", "0.2", "0.24", "0.28", "0.32", "0.36", "0.40"};
    m.concoctionList = {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.1", "0.15"};
    m.hardenList = {"0.03", "0.05", "0.1", "0.15", "0.2", "0.25", "0.3", "0.35", "0.4", "0.45", "0.5"};
    m.orbList = {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.1", "0.15"};
    m.resistantIncrement = "0.02";
    m.concoctionMaxPercent = "0.15";
    m.hardenMaxPercent = "0.5";
    m.orbMaxPercent = "0.15";
    m.concoctionMaxChance = "1.0";
    m.orbMaxChance = "1.0";

    // maxLevels and skillLevels keep the constructor's values, as after a load: the
    // derived counts are left to whoever needs them next (DeriveLevelCounts).
    return m;
}
