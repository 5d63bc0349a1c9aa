#include "model/TextReadings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace {

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t skipSpace(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    return i;
}

// The power of ten of the first significant digit of digits[.digits][e[sign]digits], as
// in scientific notation: negative for a magnitude below 1. Leading zeros in the fraction
// count as much as a negative exponent. Saturates far beyond any double's range.
std::int64_t DecimalExponent(std::string_view number)
{
    constexpr std::int64_t far = std::int64_t{1} << 40;
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    std::int64_t exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            ++i;
        for (; i < number.size() && exponent < far; ++i)
            exponent = exponent * 10 + (number[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t significant = mantissa.find_first_not_of("0.");
    if (significant == std::string_view::npos)
        return exponent;  // zero; never out of range
    const std::int64_t position = significant < point ? static_cast<std::int64_t>(point - significant) - 1
                                                      : -static_cast<std::int64_t>(significant - point);
    return exponent + position;
}

}  // namespace

std::int32_t ReadInteger(std::string_view text)
{
    std::size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude in 64 bits and stop growing it past the 32-bit range.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::size_t DecimalPrefixLength(std::string_view text)
{
    std::size_t i = skipSpace(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

double ReadDecimal(std::string_view text)
{
    // The prefix is found by our own scanner, so that from_chars never sees "inf", "nan",
    // hex or a leading '+'.
    const std::size_t end = DecimalPrefixLength(text);
    if (end == 0)
        return 0.0;
    std::size_t start = skipSpace(text);
    const bool negative = text[start] == '-';
    if (text[start] == '+' || text[start] == '-')
        ++start;

    const std::string_view number = text.substr(start, end - start);
    double value = 0.0;
    const auto [ptr, ec] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        // As the C library does: overflow gives infinity, underflow gives zero.
        value = DecimalExponent(number) < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    (void)ptr;
    return negative ? -value : value;
}
