#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "model/ProgressionFit.h"
#include "model/TextReadings.h"
#include "tests/support/InitialConfiguration.h"

namespace {

std::size_t ParameterNamed(const char* field)
{
    return *FindParameter(field);
}

// The XP part of a configuration: all a fit reads, so that a scan copies little.
tarnekArrayStruct XpPart(const tarnekArrayStruct& full, const char* levels)
{
    tarnekArrayStruct xp;
    xp.levelCountText = levels;
    for (const ParameterDescriptor& p : Parameters())
        if (p.tier == Tier::Xp)
            xp.*p.text = full.*p.text;
    RecomputeAllLists(xp);
    return xp;
}

// The rule's own closed form (v[i] = I + i·D, v[i] = (i+1)·I·(M+i)) in doubles, exact for
// the magnitudes here: whether the fill wrote a wrapped value anywhere in the list.
bool FillWrapped(const tarnekArrayStruct& model, const ListDescriptor& list)
{
    const double first = ReadInteger(model.*list.firstParameter);
    const double initial = ReadInteger(model.*list.secondParameter);
    const ValueList& values = model.*list.list;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const double n = static_cast<double>(i);
        const double exact = list.rule == FillRule::Increment ? initial + n * first : (n + 1) * initial * (first + n);
        if (static_cast<double>(ReadInteger(values.at(i))) != exact)
            return true;
    }
    return false;
}

// The fill button and the progression, value by value, on a scratch copy: the total a value
// gives, or none when the fill wraps or a step up to the level is undefined.
std::optional<std::int64_t> TotalByFill(tarnekArrayStruct& scratch, const FitRequest& request, std::int64_t value)
{
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    const TextField text = Parameters()[request.parameter].text;
    scratch.*text = FormatInteger(static_cast<std::int32_t>(value));
    for (std::size_t i = 0; i < 4; ++i) {
        const ListDescriptor& list = ValueLists()[i];
        if (list.firstParameter != text && list.secondParameter != text)
            continue;
        RunFill(list, scratch, FillCount(list, scratch));
        if (FillWrapped(scratch, list))
            return std::nullopt;
    }
    return ComputeProgression(scratch, request.mode)[static_cast<std::size_t>(request.level - 1)].total;
}

struct ScanCase {
    const char* name;
    const char* levels;
    XpMode mode;
    const char* parameter;
    const char* initialOfNeeded;  // the needed list's initial value, to keep the range short
    std::int32_t level;
    std::vector<std::int64_t> targets;
};

class FitAgainstScan : public testing::TestWithParam<ScanCase> {};

// Every value of the range scanned: the fit comes as near as any value comes, gives the
// total the fill gives, names the range exactly, and calls a target outside the totals
// unreachable with the nearest total.
TEST_P(FitAgainstScan, ComesAsNearAsAnyValue)
{
    const ScanCase& c = GetParam();
    tarnekArrayStruct model = XpPart(InitialConfiguration(), c.levels);
    if (c.initialOfNeeded) {
        model.*ValueLists()[XpModes()[static_cast<std::size_t>(c.mode)].needed].secondParameter = c.initialOfNeeded;
        RecomputeAllLists(model);
    }
    FitRequest request{c.mode, c.level, 0, ParameterNamed(c.parameter)};
    const auto probe = FitParameter(model, request);
    ASSERT_TRUE(probe || probe.failure().problem == FitProblem::Unreachable);
    const FitChoice range = probe ? *probe : *probe.failure().nearest;
    tarnekArrayStruct scratch = model;
    EXPECT_FALSE(TotalByFill(scratch, request, std::int64_t{range.lowest} - 1));
    EXPECT_FALSE(TotalByFill(scratch, request, std::int64_t{range.highest} + 1));

    std::vector<std::int64_t> totals;
    for (std::int64_t p = range.lowest; p <= range.highest; ++p) {
        const auto total = TotalByFill(scratch, request, p);
        ASSERT_TRUE(total) << p;
        totals.push_back(*total);
    }
    for (const std::int64_t target : c.targets) {
        request.targetKills = target;
        const auto fit = FitParameter(model, request);
        std::int64_t nearest = INT64_MAX;
        bool met = false;
        for (const std::int64_t total : totals) {
            nearest = std::min(nearest, std::abs(total - target));
            met = met || (total <= target) != (totals.front() <= target);
        }
        const bool inside = met || totals.front() == target;
        ASSERT_EQ(bool(fit), inside) << target;
        const FitChoice& choice = fit ? *fit : *fit.failure().nearest;
        EXPECT_EQ(std::abs(choice.difference()), nearest) << target;
        EXPECT_EQ(choice.total, totals[static_cast<std::size_t>(choice.value - range.lowest)]) << target;
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FitAgainstScan,
                         testing::Values(ScanCase{"CarriedSavedMultiplier",
                                                  "10",
                                                  XpMode::Saved,
                                                  "xpLevelSavedMultiplier",
                                                  nullptr,
                                                  10,
                                                  {0, 3000, 4000, 10000, 123456, 9999999, 99999999999}},
                                         ScanCase{"HundredLevelsSavedMultiplier",
                                                  "100",
                                                  XpMode::Saved,
                                                  "xpLevelSavedMultiplier",
                                                  "40000",
                                                  100,
                                                  {1000000, 5000000, 20000000, 99000000}},
                                         ScanCase{"HundredLevelsShortTermIncrement",
                                                  "100",
                                                  XpMode::ShortTerm,
                                                  "xpLevelShortTermIncrement",
                                                  "2147000000",
                                                  60,
                                                  {500, 2000, 9000}}),
                         [](const testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

TEST(ProgressionFit, MeetsAnExactTargetAndNamesAStepNoValueDefines)
{
    tarnekArrayStruct model = InitialConfiguration();
    // The carried short-term climb to level 10 takes 206 kills at an increment of 500, and
    // 496 to 499 take as many: the value the parameter holds stays.
    const auto met = FitParameter(model, {XpMode::ShortTerm, 10, 206, ParameterNamed("xpLevelShortTermIncrement")});
    ASSERT_TRUE(met);
    EXPECT_EQ(met->difference(), 0);
    EXPECT_EQ(met->value, 500);
    model.xpLevelShortTermIncrement = "520";
    const auto moved = FitParameter(model, {XpMode::ShortTerm, 10, 206, ParameterNamed("xpLevelShortTermIncrement")});
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->difference(), 0);
    EXPECT_EQ(ComputeProgression(WithFittedValue(model, *moved), XpMode::ShortTerm)[9].total, 206);

    model.xpGivenShortTerm.set(3, "abc");
    const auto gap = FitParameter(model, {XpMode::ShortTerm, 10, 206, ParameterNamed("xpLevelShortTermIncrement")});
    ASSERT_FALSE(gap);
    EXPECT_EQ(gap.failure().problem, FitProblem::FixedGap);
    EXPECT_EQ(gap.failure().gap.gapList, *FindList("xpGivenShortTerm"));
    EXPECT_EQ(gap.failure().gap.gapCell, 3u);
    // Below level 4 the broken cell does not count.
    EXPECT_TRUE(FitParameter(model, {XpMode::ShortTerm, 3, 100, ParameterNamed("xpLevelShortTermIncrement")}));
    EXPECT_EQ(
        FitParameter(model, {XpMode::ShortTerm, 3, 100, ParameterNamed("xpLevelSavedMultiplier")}).failure().problem,
        FitProblem::NotAParameterOfTheMode);
}

}  // namespace
