#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "exchange/ValueText.h"
#include "model/Result.h"
#include "model/tarnekArrayStruct.h"

// The exchange format of export and import: one JSON object with levelCountText, the 31
// lists, devotionValue and the 46 parameter texts, keys in that (descriptor) order, every
// value as its exact text. Import accepts exactly this shape and nothing looser, so that a
// typo can never silently drop or invent a value.

// The JSON text with a final newline, or an error naming a value that is not valid UTF-8
// (a database written by another program may hold one; JSON cannot carry it exactly).
// Failures are worded in English for the tool, in Russian for the window.
Result<std::string> ConfigurationToJson(const tarnekArrayStruct& model, Wording wording = Wording::English);

// Larger than the export of the most levels a configuration may hold (about 2 MB), far
// smaller than what the parser would need memory for when given anything at all.
inline constexpr std::size_t kLargestConfigurationText = 4 * 1024 * 1024;

// The configuration, with maxLevels and skillLevels still the constructor's, as after a load.
// A text longer than kLargestConfigurationText is refused before it is parsed: a reader
// needs to read no more than one byte beyond it.
Result<tarnekArrayStruct> ConfigurationFromJson(std::string_view text, Wording wording = Wording::English);
