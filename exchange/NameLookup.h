#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Descriptors.h"
#include "model/Result.h"
#include "model/tarnekArrayStruct.h"

// The tool's names are the model's field names from the descriptor tables, plus LIST[i]
// for one value of a list.

enum class NameKind { List, Cell, Parameter, Single };

struct NamedValue {
    NameKind kind = NameKind::Parameter;
    std::string_view field;
    Tier tier = Tier::Xp;                           // the window that edits it, and so the save that writes it
    std::size_t index = 0;                          // into ValueLists() (List, Cell) or Parameters() (Parameter)
    std::size_t cell = 0;                           // Cell only
    const SingleValueDescriptor* single = nullptr;  // Single only: levelCountText or devotionValue
};

// Every name in descriptor order: levelCountText, the lists, devotionValue, the parameters.
const std::vector<std::string_view>& KnownNames();

// A NamedValue, or the message for a name that does not exist (with the nearest known one).
Result<NamedValue> ResolveName(std::string_view text);

// The candidate with the smallest edit distance, ignoring ASCII case; the first one on a
// tie. Empty for a text much longer than every candidate: no name is near it, and the
// distance would cost time in proportion to its length.
std::string_view NearestOf(std::string_view text, std::span<const std::string_view> candidates);
// NearestOf the known names.
std::string_view NearestName(std::string_view text);

// The text as a message quotes it: cut short, so that a huge name or key never floods the
// terminal.
std::string ShownName(std::string_view text);

// The text between quotation marks, as messages name what was typed or found.
std::string Quoted(std::string_view text, char mark = '"');

// "LIST[i]", the name of one value of a list.
std::string CellName(std::string_view list, std::size_t index);

// The message for an unknown name, what is wrong in the words of the caller.
std::string UnknownNameMessage(std::string_view what, std::string_view name);

// The text field behind a Parameter or Single name; null for lists and cells.
TextField TextFieldOf(const NamedValue& name);
std::string* TextOf(const NamedValue& name, tarnekArrayStruct& model);
const std::string* TextOf(const NamedValue& name, const tarnekArrayStruct& model);
