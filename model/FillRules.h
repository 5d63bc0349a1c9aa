#pragma once

#include <cstdint>
#include <string>

#include "model/ValueList.h"

// Element i (from 1) of the two integer rules, in the caller's integer type: the fills
// compute in unsigned 32-bit arithmetic, which wraps as the plugin's integers do; exact
// 64-bit arithmetic tells whether a value wrapped. Both rules are affine in each parameter.
template <class Int>
constexpr Int IncrementElement(Int initial, Int increment, Int i)
{
    return initial + i * increment;
}
template <class Int>
constexpr Int MultiplierElement(Int initial, Int multiplier, Int i)
{
    // (i + 1) times the initial value is the running sum the rule adds up, level by level.
    const Int running = (i + 1) * initial;
    return multiplier * running + i * running;
}

// The eight generators. Each empties the list, then appends its elements; parameter
// texts are read with ReadInteger / ReadDecimal and never validated.

void FillIncrement(std::int32_t n, const std::string& incrementText, const std::string& initialText, ValueList& list);
void FillMultiplier(std::int32_t n, const std::string& multiplierText, const std::string& initialText, ValueList& list);
void FillLinearToMax(std::int32_t n, const std::string& maximumText, ValueList& list);
// mode 0: decimal multiples in "%g" with ".0" completion; mode 1: integer multiples; else empty texts.
void FillMultiples(std::int32_t n, const std::string& stepText, ValueList& list, std::int32_t mode);
void FillDecreaseFromFixed(std::int32_t n, const std::string& totalText, ValueList& list);
void FillDecreaseToZero(std::int32_t n, const std::string& startText, ValueList& list);
void FillDecrement(std::int32_t n, std::int32_t decrement, const std::string& initialText, ValueList& list);
void FillIncreaseFromFixed(std::int32_t n, const std::string& stepText, ValueList& list);
