#pragma once

#include <cstdint>
#include <string>

#include "model/ValueList.h"

// The whole configuration as text: 31 value lists, the Devotion Aura value, 46 parameter
// texts and the level count. Values stay exactly as typed or stored; only the fill rules
// and the level counts read numbers out of them. The descriptor tables (Descriptors.h)
// name every list and parameter with its storage and plugin array.
struct tarnekArrayStruct {
    // XP tables, levels 0..maxLevels
    ValueList xpLevelShortTerm;
    ValueList xpLevelSaved;
    ValueList xpGivenShortTerm;
    ValueList xpGivenSaved;

    std::string levelCountText = "10";

    std::string xpLevelShortTermIncrement;
    std::string xpLevelShortTermInitial;
    std::string xpLevelSavedMultiplier;
    std::string xpLevelSavedInitial;
    std::string xpGivenShortTermIncrement;
    std::string xpGivenShortTermInitial;
    std::string xpGivenSavedIncrement;
    std::string xpGivenSavedInitial;

    // Tier 1, skill levels 0..skillLevels-1
    ValueList vampiricList;
    ValueList invisibilityList;
    ValueList criticalList;
    ValueList evasionList;
    ValueList phoenixList;
    ValueList healList;
    ValueList fanList;
    ValueList impaleList;

    std::string vampiricIncrement;
    std::string criticalIncrement;
    std::string evasionMaxPercent;
    std::string phoenixMaxPercent;
    std::string healMaxPercent;
    std::string fanMaxPercent;
    std::string impaleMaxPercent;
    std::string invisibilityDecrease;
    std::string invisibilityInitial;
    std::string evasionMaxChance;
    std::string fanMaxChance;
    std::string impaleMaxChance;

    // Tier 2
    ValueList unholyList;
    std::string devotionValue;  // one value for every skill level; no fill rule touches it
    ValueList grenadeList;
    ValueList thornsList;
    ValueList banishList;
    ValueList hexList;
    ValueList blinkList;
    ValueList spikedList;

    std::string unholyIncrement;
    std::string grenadeIncrement;
    std::string thornsIncrement;
    std::string banishMaxPercent;
    std::string hexMaxPercent;
    std::string blinkMaxPercent;
    std::string spikedIncrement;
    std::string banishMaxChance;
    std::string hexMaxChance;

    // Tier 3
    ValueList levitationList;
    ValueList bashList;
    ValueList ankhList;
    ValueList trueshotList;
    ValueList manaList;
    ValueList serpentList;
    ValueList shadowList;
    ValueList carrionList;

    std::string bashMaxPercent;
    std::string ankhMaxPercent;
    std::string trueshotIncrement;
    std::string manaIncrement;
    std::string serpentIncrement;
    std::string shadowMaxPercent;
    std::string carrionMaxPercent;
    std::string levitationLimit;
    std::string bashMaxChance;
    std::string shadowMaxChance;
    std::string carrionMaxChance;

    // Tier 4, levels 0..maxLevels
    ValueList resistantList;
    ValueList concoctionList;
    ValueList hardenList;
    ValueList orbList;

    std::string resistantIncrement;
    std::string concoctionMaxPercent;
    std::string hardenMaxPercent;
    std::string orbMaxPercent;
    std::string concoctionMaxChance;
    std::string orbMaxChance;

    std::int32_t maxLevels = 10;
    std::int32_t skillLevels = 0;

    // "" and anything reading <= 0 become "1.0"; a text without '.' gets ".0".
    // Applied to the "Максимальный шанс" texts when they are written; the model keeps the typed text.
    static std::string NormalizeChanceText(const std::string& text);

    // maxLevels from levelCountText, skillLevels = maxLevels / 3.
    void DeriveLevelCounts();
    // Only maxLevels from levelCountText (the fill buttons leave skillLevels alone).
    void RefreshMaxLevels();

    bool operator==(const tarnekArrayStruct&) const = default;
};
