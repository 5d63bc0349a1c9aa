#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The fixed formats in which fill rules write numbers back to text, and the count in a
// sentence. Locale independent.

// "%d"
std::string FormatInteger(std::int32_t value);

// A size or an index as "%d" writes it; beyond INT32_MAX it says INT32_MAX.
std::string FormatCount(std::size_t count);

// The three forms of a Russian noun after a number: after 1, 21, 101 ("ошибка"), after 2 to
// 4, 22 to 24 ("ошибки"), after the rest, 11 to 14 and 111 among them ("ошибок").
struct NounForms {
    std::string_view one;
    std::string_view few;
    std::string_view many;
};
std::string_view AgreeingForm(std::size_t count, const NounForms& noun);
// The count as FormatCount writes it and the noun that agrees with it: "33 значения".
std::string FormatCountOf(std::size_t count, const NounForms& noun);

// "%.Nf" with halves (judged on the double's exact binary value) rounded away from zero.
std::string FormatFixed(double value, int decimals);

// "%g" as the Windows C runtime writes it: six significant digits, trailing zeros and
// point removed, exponent form below 1e-4 and from 1e6 up with a sign and three digits.
std::string FormatGeneral(double value);

// Appends ".0" to a decimal text that has no '.'.
std::string CompletePoint(std::string text);
