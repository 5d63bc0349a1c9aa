#include "model/NumberFormats.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace {

// True when |value| * 10^decimals lies exactly halfway between two integers. With
// value = M * 2^E (M odd), value * 10^d = M * 5^d * 2^(E+d): for d >= 0 that is a half
// integer exactly when E + d == -1; for d < 0 M must also be a multiple of 5^-d.
bool isHalfway(double value, int decimals)
{
    if (!std::isfinite(value) || value == 0.0)
        return false;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    while ((mantissa & 1U) == 0) {
        mantissa >>= 1U;
        ++exponent;
    }
    if (exponent + decimals != -1)
        return false;
    for (int d = decimals; d < 0; ++d) {
        if (mantissa % 5 != 0)
            return false;
        mantissa /= 5;
    }
    return true;
}

// to_chars rounds halves to even; nudging a halfway value one step away from zero makes
// it round away. At six significant digits a step never reaches the next rounding boundary.
double awayFromHalf(double value, int decimals)
{
    return isHalfway(value, decimals) ? std::nextafter(value, value < 0 ? -INFINITY : INFINITY) : value;
}

std::string toChars(double value, std::chars_format format, int precision)
{
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    return std::string(buffer.data(), result.ptr);
}

// Every digit of the double's value: it is a dyadic fraction, so its decimal expansion
// ends, after at most 1074 fraction digits.
std::string exactFixed(double value)
{
    int exponent = 0;
    std::frexp(value, &exponent);
    const int fractionDigits = std::max(0, 53 - exponent);
    std::string buffer(static_cast<std::size_t>(fractionDigits) + 320, '\0');
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, fractionDigits);
    buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
    return buffer;
}

// Adds one unit in the last place of a fixed-point text of digits, carrying leftwards.
void roundUpLastDigit(std::string& digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        char& c = digits[i];
        if (c == '.')
            continue;
        if (c < '0' || c > '9') {  // the sign: every digit carried over
            digits.insert(i + 1, 1, '1');
            return;
        }
        if (c != '9') {
            ++c;
            return;
        }
        c = '0';
    }
    digits.insert(0, 1, '1');
}

void stripTrailingZeros(std::string& digits)
{
    if (digits.find('.') == std::string::npos)
        return;
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (!digits.empty() && digits.back() == '.')
        digits.pop_back();
}

}  // namespace

std::string FormatInteger(std::int32_t value)
{
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string FormatCount(std::size_t count)
{
    return FormatInteger(static_cast<std::int32_t>(std::min<std::size_t>(count, INT32_MAX)));
}

std::string_view AgreeingForm(std::size_t count, const NounForms& noun)
{
    const std::size_t tens = count % 100;
    const std::size_t ones = count % 10;
    if (tens >= 11 && tens <= 14)
        return noun.many;
    if (ones == 1)
        return noun.one;
    if (ones >= 2 && ones <= 4)
        return noun.few;
    return noun.many;
}

std::string FormatCountOf(std::size_t count, const NounForms& noun)
{
    return FormatCount(count) + " " + std::string(AgreeingForm(count, noun));
}

std::string FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value) || decimals < 0)
        return toChars(value, std::chars_format::fixed, decimals);
    // Rounded on the double's exact decimal expansion: nudging a tie one representable
    // step would cross the next rounding boundary where a step is wider than 10^-decimals.
    std::string digits = exactFixed(value);
    const std::size_t point = digits.find('.');
    const std::size_t fraction = point == std::string::npos ? 0 : digits.size() - point - 1;
    if (fraction <= static_cast<std::size_t>(decimals)) {
        if (decimals > 0 && point == std::string::npos)
            digits += '.';
        digits.append(static_cast<std::size_t>(decimals) - fraction, '0');
        return digits;
    }
    const bool up = digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    digits.resize(decimals > 0 ? point + 1 + static_cast<std::size_t>(decimals) : point);
    if (up)
        roundUpLastDigit(digits);
    return digits;
}

std::string FormatGeneral(double value)
{
    constexpr int significant = 6;
    if (!std::isfinite(value))
        return toChars(value, std::chars_format::general, significant);

    // The decimal exponent after rounding to six significant digits decides the form.
    auto exponentOf = [](const std::string& scientific) {
        const auto e = scientific.find('e');
        int exponent = 0;
        std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                        scientific.data() + scientific.size(), exponent);
        return exponent;
    };
    std::string scientific = toChars(value, std::chars_format::scientific, significant - 1);
    int exponent = exponentOf(scientific);
    const double rounded = awayFromHalf(value, significant - 1 - exponent);
    if (rounded != value) {
        scientific = toChars(rounded, std::chars_format::scientific, significant - 1);
        exponent = exponentOf(scientific);
    }

    if (exponent < -4 || exponent >= significant) {
        std::string mantissa = scientific.substr(0, scientific.find('e'));
        stripTrailingZeros(mantissa);
        const int magnitude = exponent < 0 ? -exponent : exponent;
        std::string digits = std::to_string(magnitude);
        while (digits.size() < 3)
            digits.insert(digits.begin(), '0');
        return mantissa + 'e' + (exponent < 0 ? '-' : '+') + digits;
    }
    std::string fixed = toChars(rounded, std::chars_format::fixed, significant - 1 - exponent);
    stripTrailingZeros(fixed);
    return fixed;
}

std::string CompletePoint(std::string text)
{
    if (text.find('.') == std::string::npos)
        text += ".0";
    return text;
}
