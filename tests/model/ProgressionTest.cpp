#include <cstdint>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "model/Descriptors.h"
#include "model/Progression.h"
#include "tests/support/InitialConfiguration.h"

namespace {

using Counts = std::vector<std::optional<std::int64_t>>;

// One field of every step, in order.
Counts Each(const std::vector<ProgressionStep>& steps, std::optional<std::int64_t> ProgressionStep::*field)
{
    Counts counts;
    for (const ProgressionStep& s : steps)
        counts.push_back(s.*field);
    return counts;
}

// Worked out by hand from the carried tables: short-term needs 500 XP a level at 10, 15,
// ... XP a kill; saved needs 2000, 2400, 3200, ... at 6, 8, 10, ... XP a kill.
TEST(Progression, CarriedConfigurationByHand)
{
    const tarnekArrayStruct model = InitialConfiguration();

    const auto shortTerm = ComputeProgression(model, XpMode::ShortTerm);
    ASSERT_EQ(shortTerm.size(), 10u);
    EXPECT_EQ(shortTerm.front().level, 1);
    EXPECT_EQ(shortTerm.back().level, 10);
    EXPECT_EQ(Each(shortTerm, &ProgressionStep::kills), (Counts{50, 34, 25, 20, 17, 15, 13, 12, 10, 10}));
    EXPECT_EQ(Each(shortTerm, &ProgressionStep::total), (Counts{50, 84, 109, 129, 146, 161, 174, 186, 196, 206}));

    // 2000 / 6, 2400 / 8, 3200 / 10, 4000 / 12, each rounded up.
    const auto saved = ComputeProgression(model, XpMode::Saved);
    ASSERT_EQ(saved.size(), 10u);
    const Counts savedKills = Each(saved, &ProgressionStep::kills);
    EXPECT_EQ(Counts(savedKills.begin(), savedKills.begin() + 4), (Counts{334, 300, 320, 334}));
    EXPECT_EQ(Each(saved, &ProgressionStep::total)[3], 1288);
    for (const ProgressionStep& s : saved)
        EXPECT_EQ(s.gap, StepGap::None);
}

struct GapCase {
    const char* list;
    std::size_t cell;
    const char* text;
    StepGap gap;
    std::int32_t level;     // the step that becomes a gap
    const char* namedList;  // the cell it names
    std::size_t namedCell;
};

class ProgressionGap : public testing::TestWithParam<GapCase> {};

// A gap names its cell, leaves the later steps' kills alone and ends the running total.
TEST_P(ProgressionGap, NamesTheCellAndEndsTheTotal)
{
    const GapCase& c = GetParam();
    tarnekArrayStruct model = InitialConfiguration();
    (model.*ValueLists()[*FindList(c.list)].list).set(c.cell, c.text);

    const auto steps = ComputeProgression(model, XpMode::ShortTerm);
    ASSERT_EQ(steps.size(), 10u);
    const ProgressionStep& broken = steps[static_cast<std::size_t>(c.level - 1)];
    EXPECT_EQ(broken.gap, c.gap);
    EXPECT_FALSE(broken.kills);
    EXPECT_EQ(broken.gapList, *FindList(c.namedList));
    EXPECT_EQ(broken.gapCell, c.namedCell);
    EXPECT_TRUE(steps[static_cast<std::size_t>(c.level - 2)].total);
    for (std::size_t i = static_cast<std::size_t>(c.level); i < steps.size(); ++i)
        EXPECT_FALSE(steps[i].total) << i;
    EXPECT_EQ(steps.back().gap == StepGap::None, c.level != 10);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ProgressionGap,
    testing::Values(GapCase{"xpGivenShortTerm", 3, "abc", StepGap::NotANumber, 4, "xpGivenShortTerm", 3},
                    GapCase{"xpGivenShortTerm", 3, "25.5", StepGap::NotANumber, 4, "xpGivenShortTerm", 3},
                    GapCase{"xpLevelShortTerm", 4, "1e3", StepGap::NotANumber, 4, "xpLevelShortTerm", 4},
                    GapCase{"xpGivenShortTerm", 3, "0", StepGap::NoXpPerKill, 4, "xpGivenShortTerm", 3},
                    GapCase{"xpGivenShortTerm", 3, "-25", StepGap::NoXpPerKill, 4, "xpGivenShortTerm", 3},
                    GapCase{"xpLevelShortTerm", 4, "1400", StepGap::FallingNeededXp, 4, "xpLevelShortTerm", 4},
                    GapCase{"xpLevelShortTerm", 10, "x", StepGap::NotANumber, 10, "xpLevelShortTerm", 10}));

TEST(Progression, EdgesOfTheArithmetic)
{
    tarnekArrayStruct model;
    // Equal needed XP takes no kill; the 32-bit extremes neither overflow nor lose the
    // rounding; a missing XP-per-kill cell is a gap, not a read past the list.
    model.xpLevelSaved = {"7", "7", "-2147483648", "2147483647", "99999999999", "100"};
    model.xpGivenSaved = {"3", "1", "2", "1"};
    const auto steps = ComputeProgression(model, XpMode::Saved);
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].kills, 0);
    EXPECT_EQ(steps[1].gap, StepGap::FallingNeededXp);
    EXPECT_EQ(steps[2].kills, 2147483648);  // 4294967295 / 2, rounded up
    EXPECT_EQ(steps[3].kills, 0);           // read as the 32-bit limit, as the plugin's cell holds it
    EXPECT_EQ(steps[4].gap, StepGap::NotANumber);
    EXPECT_EQ(steps[4].gapList, *FindList("xpGivenSaved"));
    EXPECT_EQ(steps[4].gapCell, 4u);

    EXPECT_TRUE(ComputeProgression(tarnekArrayStruct{}, XpMode::ShortTerm).empty());
}

}  // namespace
