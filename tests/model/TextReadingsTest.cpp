#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/TextReadings.h"

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

TEST(IntegerReading, ReadsTheNumericPrefix)
{
    // clang-format off
    const std::pair<const char*, std::int32_t> cases[] = {
        {"", 0}, {"abc", 0}, {"12abc", 12}, {"1.9", 1}, {" 7", 7}, {"\t\n 7", 7}, {"+5", 5}, {"-35", -35},
        {"0400", 400}, {"- 5", 0}, {"+", 0}, {"0,5", 0}, {"2147483647", 2147483647}, {"2147483648", 2147483647},
        {"99999999999999999999999", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1}, {"1e5", 1}, {"0x10", 0},
    };
    // clang-format on
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReadInteger(text), expected) << '"' << text << '"';
}

TEST(DecimalReading, ReadsTheLongestDecimalPrefix)
{
    // clang-format off
    const std::pair<const char*, double> cases[] = {
        {"", 0.0}, {"abc", 0.0}, {"0,5", 0.0}, {"0.5", 0.5}, {" 7", 7.0}, {"+5", 5.0}, {".5", 0.5}, {"5.", 5.0},
        {"-.25x", -0.25}, {".", 0.0}, {"-", 0.0}, {"1e3", 1000.0}, {"1E+2", 100.0}, {"2.5e-1", 0.25}, {"1e", 1.0},
        {"1e+", 1.0}, {"1e+006.0", 1000000.0}, {"inf", 0.0}, {"nan", 0.0}, {"infinity", 0.0}, {"0x1p3", 0.0},
        {"15.0abc", 15.0}, {"1e-400", 0.0},
    };
    // clang-format on
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReadDecimal(text), expected) << '"' << text << '"';
}

// Overflow gives infinity, underflow zero or the nearest subnormal, however the magnitude
// is spelt: by the exponent, by leading zeros in the fraction, or by many digits.
TEST(DecimalReading, OutOfRangeReadsLikeTheCLibrary)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::string zeros(400, '0');
    const std::vector<std::pair<std::string, double>> cases = {
        {"1e400", inf},
        {"-1e400", -inf},
        {"1" + zeros, inf},
        {"1" + zeros + ".5e-10", inf},
        {"0." + zeros + "1e800", inf},
        {"1e99999999999999999999999", inf},
        {"0." + zeros + "1", 0.0},
        {"-0." + zeros + "1", 0.0},
        {"1" + zeros + "e-800", 0.0},
        {"1e-99999999999999999999999", 0.0},
        {"5e-324", std::numeric_limits<double>::denorm_min()},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReadDecimal(text), expected) << text.substr(0, 20) << "... (" << text.size() << " characters)";
}

}  // namespace
