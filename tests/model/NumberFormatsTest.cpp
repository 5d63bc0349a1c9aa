#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "model/NumberFormats.h"

namespace {

TEST(FixedFormat, RoundsHalvesAwayFromZero)
{
    // clang-format off
    const std::tuple<double, int, const char*> cases[] = {
        // exact binary halves: away from zero, where printf would round to even
        {275.5, 0, "276"}, {286.5, 0, "287"}, {0.5, 0, "1"}, {2.5, 0, "3"}, {-2.5, 0, "-3"}, {0.0625, 3, "0.063"},
        {0.125, 2, "0.13"}, {-0.125, 2, "-0.13"}, {1.5, 0, "2"},
        // decimal "halves" that are not halves in binary keep their nearest rounding
        {0.15, 1, "0.1"}, {2.675, 2, "2.67"}, {1.0005, 3, "1.000"},
        // ordinary values
        {1.0 / 3.0, 3, "0.333"}, {2.0 / 3.0, 3, "0.667"}, {1.0, 3, "1.000"}, {0.6000000000000001, 2, "0.60"},
        {0.39999999999999997, 2, "0.40"}, {-0.0001, 3, "-0.000"}, {0.0, 2, "0.00"}, {1e20, 0, "100000000000000000000"},
        // a carry through every digit
        {9.5, 0, "10"}, {-99.9375, 3, "-99.938"}, {999.9999, 3, "1000.000"},
        // where one representable step is wider than the last decimal: 1e15 / 3 is exactly
        // ...333.3125, and ...333.375 is a true tie at two decimals
        {1e15 / 3, 3, "333333333333333.313"}, {333333333333333.375, 2, "333333333333333.38"},
        {-333333333333333.375, 2, "-333333333333333.38"}, {5e14 / 3, 2, "166666666666666.66"},
    };
    // clang-format on
    for (const auto& [value, decimals, expected] : cases)
        EXPECT_EQ(FormatFixed(value, decimals), expected) << value << " with " << decimals << " decimals";
}

TEST(CountOfANoun, AgreesWithTheNumber)
{
    const NounForms errors{"ошибка", "ошибки", "ошибок"};
    const std::pair<std::size_t, const char*> cases[] = {
        {1, "1 ошибка"},   {2, "2 ошибки"},   {5, "5 ошибок"},     {11, "11 ошибок"}, {21, "21 ошибка"},
        {22, "22 ошибки"}, {25, "25 ошибок"}, {111, "111 ошибок"}, {0, "0 ошибок"},   {1012, "1012 ошибок"},
    };
    for (const auto& [count, expected] : cases)
        EXPECT_EQ(FormatCountOf(count, errors), expected);
}

TEST(GeneralFormat, WritesSixSignificantDigitsWithThreeDigitExponents)
{
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"}, {0.30000000000000004, "0.3"}, {2.0, "2"}, {1.0, "1"}, {0.0, "0"}, {-1.5, "-1.5"},
        {123456.0, "123456"}, {999999.0, "999999"}, {1000000.0, "1e+006"}, {2000000.0, "2e+006"},
        {1234567.0, "1.23457e+006"}, {999999.5, "1e+006"}, {0.0001, "0.0001"}, {0.00001, "1e-005"},
        {0.000123456789, "0.000123457"}, {1e100, "1e+100"}, {-1e-300, "-1e-300"}, {0.35, "0.35"}, {3.0 * 0.35, "1.05"},
        // 1.234565 is not a binary half; 0.5 significance halves are: 1234565 * 2^-0 at 6 digits
        {1234565.0, "1.23457e+006"}, {1234575.0, "1.23458e+006"}, {100000.5, "100001"},
    };
    // clang-format on
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(FormatGeneral(value), expected) << value;
}

}  // namespace
