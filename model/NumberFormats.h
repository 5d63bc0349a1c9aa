#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The fixed formats in which fill rules write numbers back to text. Locale independent.

// "%d"
std::string FormatInteger(std::int32_t value);

// A size or an index as "%d" writes it; beyond INT32_MAX it says INT32_MAX.
std::string FormatCount(std::size_t count);

// "%.Nf" with halves (judged on the double's exact binary value) rounded away from zero.
std::string FormatFixed(double value, int decimals);

// "%g" as the Windows C runtime writes it: six significant digits, trailing zeros and
// point removed, exponent form below 1e-4 and from 1e6 up with a sign and three digits.
std::string FormatGeneral(double value);

// Appends ".0" to a decimal text that has no '.'.
std::string CompletePoint(std::string text);
