#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The two ways every computation turns a value text into a number. They never fail:
// a text that is not a number reads as 0, or as its numeric prefix. Independent of the
// C locale: '.' is always the decimal separator.

// Leading white space, optional sign, digits up to the first other character;
// saturates at the 32-bit limits.
std::int32_t ReadInteger(std::string_view text);

// Leading white space, then the longest prefix that forms a decimal number
// (sign, digits, optional '.' and fraction, optional exponent). No inf, nan or hex.
double ReadDecimal(std::string_view text);

// How many characters of text, leading white space included, ReadDecimal reads; 0 when
// the text does not start with a number.
std::size_t DecimalPrefixLength(std::string_view text);
