#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "model/FillRules.h"

namespace {

using Texts = std::vector<std::string>;

struct FillCase {
    const char* name;
    std::function<void(ValueList&)> fill;
    Texts expected;
};

// clang-format off
const FillCase kExamples[] = {
    {"IncrementXpNeeded", [](ValueList& l) { FillIncrement(11, "500", "0", l); },
     {"0", "500", "1000", "1500", "2000", "2500", "3000", "3500", "4000", "4500", "5000"}},
    {"MultiplierSavedXp", [](ValueList& l) { FillMultiplier(11, "2", "400", l); },
     {"400", "2400", "4800", "8000", "12000", "16800", "22400", "28800", "36000", "44000", "52800"}},
    {"MultiplierCountsIntegerPartOnly", [](ValueList& l) { FillMultiplier(3, "2.9", "400", l); }, {"400", "2400", "4800"}},
    {"LinearToMaxOne", [](ValueList& l) { FillLinearToMax(3, "1", l); }, {"0.333", "0.667", "1.000"}},
    {"LinearToMaxPointThree", [](ValueList& l) { FillLinearToMax(3, "0.3", l); }, {"0.100", "0.200", "0.300"}},
    {"LinearToMaxSingleIsTheMaximum", [](ValueList& l) { FillLinearToMax(1, "0.25", l); }, {"0.250"}},
    {"LinearToMaxLetters", [](ValueList& l) { FillLinearToMax(3, "abc", l); }, {"0.000", "0.000", "0.000"}},
    {"MultiplesDecimal", [](ValueList& l) { FillMultiples(3, "0.1", l, 0); }, {"0.1", "0.2", "0.3"}},
    {"MultiplesDecimalTwo", [](ValueList& l) { FillMultiples(3, "2", l, 0); }, {"2.0", "4.0", "6.0"}},
    {"MultiplesDecimalHuge", [](ValueList& l) { FillMultiples(2, "1000000", l, 0); }, {"1e+006.0", "2e+006.0"}},
    {"MultiplesInteger", [](ValueList& l) { FillMultiples(3, "1", l, 1); }, {"1", "2", "3"}},
    {"MultiplesIntegerTruncates", [](ValueList& l) { FillMultiples(3, "3.7", l, 1); }, {"3", "6", "9"}},
    {"MultiplesOtherModeEmpty", [](ValueList& l) { FillMultiples(2, "1", l, 7); }, {"", ""}},
    {"DecreaseFromFixed", [](ValueList& l) { FillDecreaseFromFixed(3, "0.6", l); }, {"0.8", "0.60", "0.40"}},
    {"DecreaseFromFixedGoesNegative", [](ValueList& l) { FillDecreaseFromFixed(3, "3", l); }, {"0.8", "-0.20", "-1.20"}},
    {"DecreaseToZero", [](ValueList& l) { FillDecreaseToZero(3, "6.0", l); }, {"6.0", "4.00", "2.00"}},
    {"DecreaseToZeroRoundingCarries", [](ValueList& l) { FillDecreaseToZero(3, "1", l); }, {"1.0", "0.67", "0.34"}},
    {"DecreaseToZeroCompletesStart", [](ValueList& l) { FillDecreaseToZero(1, "5", l); }, {"5.0"}},
    {"Decrement", [](ValueList& l) { FillDecrement(3, 35, "200", l); }, {"200", "165", "130"}},
    {"IncreaseFromFixed", [](ValueList& l) { FillIncreaseFromFixed(3, "15.0", l); }, {"265.0", "280.0", "295.0"}},
    {"IncreaseFromFixedHalvesAway", [](ValueList& l) { FillIncreaseFromFixed(4, "10.5", l); }, {"265.0", "276.0", "287.0", "298.0"}},
    {"IncrementKeepsInitialVerbatim", [](ValueList& l) { FillIncrement(2, "10", "0400", l); }, {"0400", "410"}},
    {"MultiplierKeepsInitialVerbatim", [](ValueList& l) { FillMultiplier(2, "2", " 0400", l); }, {" 0400", "2400"}},
    {"IncrementWrapsAround", [](ValueList& l) { FillIncrement(3, "2000000000", "0", l); }, {"0", "2000000000", "-294967296"}},
    {"DecrementWrapsAround", [](ValueList& l) { FillDecrement(2, 1, "-2147483648", l); }, {"-2147483648", "2147483647"}},
    {"MultiplesIntegerWraps", [](ValueList& l) { FillMultiples(2, "2000000000", l, 1); }, {"2000000000", "-294967296"}},
    {"MultiplierWraps", [](ValueList& l) { FillMultiplier(2, "2147483647", "2", l); }, {"2", "0"}},
};
// clang-format on

TEST(FillRules, ProduceTheListedValues)
{
    for (const FillCase& c : kExamples) {
        // A list that already holds entries: every rule starts from an empty list.
        ValueList list{"stale", "entries", "x", "y", "z", "a", "b", "c", "d", "e", "f", "g", "h"};
        c.fill(list);
        EXPECT_EQ(list.texts(), c.expected) << c.name;
    }
}

// For N = 0 and below a rule leaves the first value or nothing; N = 1 gives one value.
TEST(FillRules, ZeroAndNegativeCountsLeaveOnlyTheFirstValueOrNothing)
{
    const std::tuple<const char*, std::function<void(std::int32_t, ValueList&)>, std::size_t> rules[] = {
        {"Increment", [](std::int32_t n, ValueList& l) { FillIncrement(n, "5", "10", l); }, 1},
        {"Multiplier", [](std::int32_t n, ValueList& l) { FillMultiplier(n, "2", "400", l); }, 1},
        {"LinearToMax", [](std::int32_t n, ValueList& l) { FillLinearToMax(n, "1", l); }, 0},
        {"Multiples", [](std::int32_t n, ValueList& l) { FillMultiples(n, "1", l, 0); }, 0},
        {"DecreaseFromFixed", [](std::int32_t n, ValueList& l) { FillDecreaseFromFixed(n, "0.6", l); }, 1},
        {"DecreaseToZero", [](std::int32_t n, ValueList& l) { FillDecreaseToZero(n, "6", l); }, 1},
        {"Decrement", [](std::int32_t n, ValueList& l) { FillDecrement(n, 35, "200", l); }, 1},
        {"IncreaseFromFixed", [](std::int32_t n, ValueList& l) { FillIncreaseFromFixed(n, "15", l); }, 1},
    };
    for (const auto& [name, fill, atZero] : rules) {
        for (std::int32_t n : {0, -1, -100}) {
            ValueList list{"old"};
            fill(n, list);
            EXPECT_EQ(list.size(), atZero) << name << ", N = " << n;
        }
        ValueList one;
        fill(1, one);
        EXPECT_EQ(one.size(), 1U) << name;
    }
}

}  // namespace
