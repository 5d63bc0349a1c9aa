#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/Descriptors.h"

// What the plugin's compiler accepts in a generated array. Beyond the characters that
// model/ValueTextRule.h refuses, the editor never refuses or changes a text; it only marks
// what the compiler would reject or misread, and says why.

// std::nullopt when the compiler takes the text as a cell of an array of this kind;
// otherwise the reason, in Russian, for a tooltip.
std::optional<std::string> CheckPluginNumber(std::string_view text, ArrayKind kind);

// The element count the plugin declares for the list's array: MAX_LEVELS+1 or MAX_SKILL_LEVEL,
// from levelCountText as the generated constants are.
std::size_t DeclaredArraySize(const ListDescriptor& list, const tarnekArrayStruct& model);

// std::nullopt when the list has the declared size; otherwise why it is marked.
std::optional<std::string> CheckListLength(const ListDescriptor& list, const tarnekArrayStruct& model);

// How many cells of all 31 lists (and the Devotion Aura value) would be marked, length
// mismatches counted once per list.
std::size_t CountMarkedTexts(const tarnekArrayStruct& model);
