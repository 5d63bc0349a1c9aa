#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "NumberFormats.h"

namespace {

struct FixedCase {
    double value;
    int decimals;
    const char* expected;
};

class FixedFormat : public testing::TestWithParam<FixedCase> {};

TEST_P(FixedFormat, RoundsHalvesAwayFromZero)
{
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected) << c.value << " with " << c.decimals << " decimals";
}

INSTANTIATE_TEST_SUITE_P(Values, FixedFormat, testing::Values(
    // exact binary halves: away from zero, where printf would round to even
    FixedCase{275.5, 0, "276"}, FixedCase{286.5, 0, "287"}, FixedCase{0.5, 0, "1"}, FixedCase{2.5, 0, "3"},
    FixedCase{-2.5, 0, "-3"}, FixedCase{0.0625, 3, "0.063"}, FixedCase{0.125, 2, "0.13"},
    FixedCase{-0.125, 2, "-0.13"}, FixedCase{1.5, 0, "2"},
    // decimal "halves" that are not halves in binary keep their nearest rounding
    FixedCase{0.15, 1, "0.1"}, FixedCase{2.675, 2, "2.67"}, FixedCase{1.0005, 3, "1.000"},
    // ordinary values
    FixedCase{1.0 / 3.0, 3, "0.333"}, FixedCase{2.0 / 3.0, 3, "0.667"}, FixedCase{1.0, 3, "1.000"},
    FixedCase{0.6000000000000001, 2, "0.60"}, FixedCase{0.39999999999999997, 2, "0.40"},
    FixedCase{-0.0001, 3, "-0.000"}, FixedCase{0.0, 2, "0.00"}, FixedCase{1e20, 0, "100000000000000000000"},
    // a carry through every digit
    FixedCase{9.5, 0, "10"}, FixedCase{-99.9375, 3, "-99.938"}, FixedCase{999.9999, 3, "1000.000"},
    // where one representable step is wider than the last decimal: 1e15 / 3 is exactly
    // ...333.3125, and ...333.375 is a true tie at two decimals
    FixedCase{1e15 / 3, 3, "333333333333333.313"}, FixedCase{333333333333333.375, 2, "333333333333333.38"},
    FixedCase{-333333333333333.375, 2, "-333333333333333.38"}, FixedCase{5e14 / 3, 2, "166666666666666.66"}));

struct GeneralCase {
    double value;
    const char* expected;
};

class GeneralFormat : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, WritesSixSignificantDigitsWithThreeDigitExponents)
{
    EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, GeneralFormat, testing::Values(
    GeneralCase{0.1, "0.1"}, GeneralCase{0.30000000000000004, "0.3"}, GeneralCase{2.0, "2"},
    GeneralCase{1.0, "1"}, GeneralCase{0.0, "0"}, GeneralCase{-1.5, "-1.5"}, GeneralCase{123456.0, "123456"},
    GeneralCase{999999.0, "999999"}, GeneralCase{1000000.0, "1e+006"}, GeneralCase{2000000.0, "2e+006"},
    GeneralCase{1234567.0, "1.23457e+006"}, GeneralCase{999999.5, "1e+006"}, GeneralCase{0.0001, "0.0001"},
    GeneralCase{0.00001, "1e-005"}, GeneralCase{0.000123456789, "0.000123457"}, GeneralCase{1e100, "1e+100"},
    GeneralCase{-1e-300, "-1e-300"}, GeneralCase{0.35, "0.35"}, GeneralCase{3.0 * 0.35, "1.05"},
    // 1.234565 is not a binary half; 0.5 significance halves are: 1234565 * 2^-0 at 6 digits
    GeneralCase{1234565.0, "1.23457e+006"}, GeneralCase{1234575.0, "1.23458e+006"},
    GeneralCase{100000.5, "100001"}));

TEST(IntegerFormat, WritesPlainSignedDecimal)
{
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(-35), "-35");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(PointCompletion, AppendsPointZeroOnlyWithoutAPoint)
{
    EXPECT_EQ(CompletePoint("2"), "2.0");
    EXPECT_EQ(CompletePoint("1e+006"), "1e+006.0");
    EXPECT_EQ(CompletePoint("0.333"), "0.333");
    EXPECT_EQ(CompletePoint(""), ".0");
}

} // namespace
