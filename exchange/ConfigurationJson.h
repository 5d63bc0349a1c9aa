#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "tarnekArrayStruct.h"

// The exchange format of export and import: one JSON object with levelCountText, the 31
// lists, devotionValue and the 46 parameter texts, keys in that (descriptor) order, every
// value as its exact text. Import accepts exactly this shape and nothing looser, so that a
// typo can never silently drop or invent a value.

struct JsonError {
    std::string message;
};

// The JSON text with a final newline, or an error naming a value that is not valid UTF-8
// (a database written by another program may hold one; JSON cannot carry it exactly).
std::variant<std::string, JsonError> ConfigurationToJson(const tarnekArrayStruct& model);

// The configuration, with maxLevels and skillLevels still the constructor's, as after a load.
std::variant<tarnekArrayStruct, JsonError> ConfigurationFromJson(std::string_view text);
