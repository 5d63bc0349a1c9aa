#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "model/tarnekArrayStruct.h"

// A value of the configuration that one line of a generated source holds.
struct GeneratedValue {
    std::string_view field;           // the list's field name, or "devotionValue"
    std::optional<std::size_t> list;  // its index in ValueLists(); none for devotionValue
    std::size_t level = 0;            // the element, as the grids number their columns
};

// Which value each line of tarnek/base.h and tarnek/skills.inl holds, for a configuration as
// it was written. Taken from the writers' own text, so it follows the layout wherever that
// goes: every value is replaced by a marker naming it, and the lines the markers land on are
// the lines the compiler will name.
class GeneratedLines {
public:
    explicit GeneratedLines(const tarnekArrayStruct& model);
    GeneratedLines() = default;  // knows no line

    // file as the compiler names it (a bare name or a path, either slash); line from 1.
    std::optional<GeneratedValue> Find(std::string_view file, int line) const;

private:
    std::vector<std::optional<GeneratedValue>> baseHeader_;
    std::vector<std::optional<GeneratedValue>> skillsInclude_;
};
