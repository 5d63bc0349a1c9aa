#pragma once

#include <cstdint>
#include <string>

#include "model/ValueList.h"

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
