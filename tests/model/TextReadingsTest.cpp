#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "TextReadings.h"

namespace {

// Under ctest's Russian-locale run the whole binary works under the user's locale, as
// the editor does after QApplication has called setlocale.
const bool kLocaleSet = [] {
    if (std::getenv("TARNEK_TEST_SET_LOCALE") != nullptr)
        std::setlocale(LC_ALL, "");
    return true;
}();

TEST(LocaleRun, RussianLocaleIsReallyActiveWhenRequested)
{
    ASSERT_TRUE(kLocaleSet);
    if (std::getenv("TARNEK_TEST_SET_LOCALE") == nullptr)
        GTEST_SKIP() << "plain C locale run";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 0.5);
    EXPECT_STREQ(buffer, "0,5") << "ru_RU.UTF-8 is not installed; the locale run would prove nothing";
}

struct IntegerCase {
    const char* text;
    std::int32_t expected;
};

class IntegerReading : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerReading, ReadsTheNumericPrefix)
{
    EXPECT_EQ(ReadInteger(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, IntegerReading, testing::Values(
    IntegerCase{"", 0}, IntegerCase{"abc", 0}, IntegerCase{"12abc", 12}, IntegerCase{"1.9", 1},
    IntegerCase{" 7", 7}, IntegerCase{"\t\n 7", 7}, IntegerCase{"+5", 5}, IntegerCase{"-35", -35},
    IntegerCase{"0400", 400}, IntegerCase{"- 5", 0}, IntegerCase{"+", 0}, IntegerCase{"0,5", 0},
    IntegerCase{"2147483647", 2147483647}, IntegerCase{"2147483648", 2147483647},
    IntegerCase{"99999999999999999999999", 2147483647}, IntegerCase{"-2147483648", -2147483647 - 1},
    IntegerCase{"-2147483649", -2147483647 - 1}, IntegerCase{"1e5", 1}, IntegerCase{"0x10", 0}));

struct DecimalCase {
    const char* text;
    double expected;
};

class DecimalReading : public testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalReading, ReadsTheLongestDecimalPrefix)
{
    EXPECT_EQ(ReadDecimal(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, DecimalReading, testing::Values(
    DecimalCase{"", 0.0}, DecimalCase{"abc", 0.0}, DecimalCase{"0,5", 0.0}, DecimalCase{"0.5", 0.5},
    DecimalCase{" 7", 7.0}, DecimalCase{"+5", 5.0}, DecimalCase{".5", 0.5}, DecimalCase{"5.", 5.0},
    DecimalCase{"-.25x", -0.25}, DecimalCase{".", 0.0}, DecimalCase{"-", 0.0}, DecimalCase{"1e3", 1000.0},
    DecimalCase{"1E+2", 100.0}, DecimalCase{"2.5e-1", 0.25}, DecimalCase{"1e", 1.0}, DecimalCase{"1e+", 1.0},
    DecimalCase{"1e+006.0", 1000000.0}, DecimalCase{"inf", 0.0}, DecimalCase{"nan", 0.0},
    DecimalCase{"infinity", 0.0}, DecimalCase{"0x1p3", 0.0}, DecimalCase{"15.0abc", 15.0},
    DecimalCase{"1e-400", 0.0}));

// Overflow gives infinity, underflow zero or the nearest subnormal, however the magnitude
// is spelt: by the exponent, by leading zeros in the fraction, or by many digits.
TEST(DecimalReading, OutOfRangeReadsLikeTheCLibrary)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::string zeros(400, '0');
    const std::vector<std::pair<std::string, double>> cases = {
        {"1e400", inf}, {"-1e400", -inf}, {"1" + zeros, inf}, {"1" + zeros + ".5e-10", inf},
        {"0." + zeros + "1e800", inf}, {"1e99999999999999999999999", inf},
        {"0." + zeros + "1", 0.0}, {"-0." + zeros + "1", 0.0}, {"1" + zeros + "e-800", 0.0},
        {"1e-99999999999999999999999", 0.0}, {"5e-324", std::numeric_limits<double>::denorm_min()},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReadDecimal(text), expected) << text.substr(0, 20) << "... (" << text.size() << " characters)";
}

TEST(DecimalReading, PrefixLengthCoversWhatIsRead)
{
    EXPECT_EQ(DecimalPrefixLength("  -1.5e3x"), 8U);
    EXPECT_EQ(DecimalPrefixLength("1e+"), 1U);
    EXPECT_EQ(DecimalPrefixLength("0,5"), 1U);
    EXPECT_EQ(DecimalPrefixLength("abc"), 0U);
}

} // namespace
