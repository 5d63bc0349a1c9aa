#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"
#include "model/tarnekArrayStruct.h"

// The exchange format of export and import: one JSON object with levelCountText, the 31
// lists, devotionValue and the 46 parameter texts, keys in that (descriptor) order, every
// value as its exact text. Import accepts exactly this shape and nothing looser, so that a
// typo can never silently drop or invent a value.

// The JSON text with a final newline, or an error naming a value that is not valid UTF-8
// (a database written by another program may hold one; JSON cannot carry it exactly).
Result<std::string> ConfigurationToJson(const tarnekArrayStruct& model);

// The configuration, with maxLevels and skillLevels still the constructor's, as after a load.
Result<tarnekArrayStruct> ConfigurationFromJson(std::string_view text);
