#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "model/Descriptors.h"
#include "model/tarnekArrayStruct.h"
#include "tests/support/InitialConfiguration.h"

namespace {

TEST(ValueList, IndexOutsideTheListIsAnInvalidArgument)
{
    ValueList list{"a", "b"};
    EXPECT_EQ(list.at(1), "b");
    EXPECT_THROW((void)list.at(2), std::invalid_argument);
    EXPECT_THROW(list.set(2, "c"), std::invalid_argument);
    list.set(0, "z");
    list.appendAll(ValueList{"c"});
    EXPECT_EQ(list.texts(), (std::vector<std::string>{"z", "b", "c"}));
}

TEST(LevelModel, SkillLevelsIsAThirdOfTheLevelsRoundedDown)
{
    tarnekArrayStruct m;
    for (int levels = 10, expected = 3; levels <= 100; levels += 3, ++expected) {
        m.levelCountText = std::to_string(levels);
        m.DeriveLevelCounts();
        EXPECT_EQ(m.maxLevels, levels);
        EXPECT_EQ(m.skillLevels, expected) << levels << " levels";
    }
    m.levelCountText = "11";
    m.DeriveLevelCounts();
    EXPECT_EQ(m.skillLevels, 3);
    // Refreshing the level count alone leaves the skill levels as they were.
    m.levelCountText = "40";
    m.RefreshMaxLevels();
    EXPECT_EQ(m.maxLevels, 40);
    EXPECT_EQ(m.skillLevels, 3);
}

TEST(ChanceNormalisation, GivesOneForNothingOrNonPositiveAndCompletesThePoint)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "1.0"},  {"0", "1.0"},   {"-2", "1.0"},    {"abc", "1.0"}, {"0,5", "1.0"}, {"2", "2.0"},
        {"5", "5.0"}, {"0.5", "0.5"}, {"1.25", "1.25"}, {"2.5", "2.5"}, {" 3", " 3.0"}, {"3x", "3x.0"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(tarnekArrayStruct::NormalizeChanceText(text), expected) << '"' << text << '"';
}

TEST(LevelCountChangeValues, CarriedParametersAtTenLevelsGiveTheCarriedCurves)
{
    tarnekArrayStruct m = InitialConfiguration();
    m.xpLevelSaved = {"hand", "edited"};
    m.healList = {"x"};
    RecomputeAllLists(m);
    const tarnekArrayStruct initial = InitialConfiguration();
    EXPECT_EQ(m.xpLevelSaved, initial.xpLevelSaved);
    EXPECT_EQ(m.xpLevelShortTerm, initial.xpLevelShortTerm);
    EXPECT_EQ(m.xpGivenShortTerm, initial.xpGivenShortTerm);
    EXPECT_EQ(m.xpGivenSaved, initial.xpGivenSaved);
    EXPECT_EQ(m.levitationList, (ValueList{"0.8", "0.60", "0.40"}));
    EXPECT_EQ(m.healList, (ValueList{"6.0", "4.00", "2.00"}));
    EXPECT_EQ(m.invisibilityList, (ValueList{"200", "165", "130"}));
    EXPECT_EQ(m.serpentList, (ValueList{"1", "2", "3"}));
    EXPECT_EQ(m.unholyList, (ValueList{"265.0", "280.0", "295.0"}));
    EXPECT_EQ(m.phoenixList, (ValueList{"0.333", "0.667", "1.000"}));
    EXPECT_EQ(m.vampiricList, (ValueList{"0.1", "0.2", "0.3"}));
}

TEST(LevelCountChangeValues, LeavesDevotionChancesAndParametersAlone)
{
    tarnekArrayStruct m = InitialConfiguration();
    m.devotionValue = "abc";
    m.evasionMaxChance = "7";
    m.levelCountText = "13";
    const tarnekArrayStruct before = m;
    RecomputeAllLists(m);
    EXPECT_EQ(m.devotionValue, "abc");
    for (const ParameterDescriptor& p : Parameters())
        EXPECT_EQ(m.*p.text, before.*p.text) << p.field;
    EXPECT_EQ(m.levelCountText, "13");
    EXPECT_EQ(m.maxLevels, 13);
    EXPECT_EQ(m.skillLevels, 4);
}

TEST(LevelCountChangeValues, AbsurdStoredCountDoesNotOverflow)
{
    tarnekArrayStruct m;
    m.levelCountText = "-5";
    RecomputeAllLists(m);
    EXPECT_EQ(m.xpLevelSaved.size(), 1U);  // a count of -4 still leaves the first value
    EXPECT_TRUE(m.orbList.empty());
}

}  // namespace
