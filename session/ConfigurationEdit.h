#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Descriptors.h"
#include "model/tarnekArrayStruct.h"

// One change to a configuration as values: what it replaced and what it put there, so
// that it can be applied again and taken back in any window's undo history.

// Cells first .. first + before.size() - 1 of a list became `after` (a whole-list
// replacement may change the length).
struct ListChange {
    std::size_t list = 0;  // index in ValueLists()
    std::size_t first = 0;
    std::vector<std::string> before;
    std::vector<std::string> after;
};

struct TextChange {
    TextField text = nullptr;
    std::string before;
    std::string after;
};

struct LevelCounts {
    std::int32_t maxLevels = 0;
    std::int32_t skillLevels = 0;
    bool operator==(const LevelCounts&) const = default;
};

struct ConfigurationEdit {
    std::vector<ListChange> lists;
    std::vector<TextChange> texts;
    LevelCounts countsBefore;
    LevelCounts countsAfter;

    bool empty() const { return lists.empty() && texts.empty() && countsBefore == countsAfter; }
};

// Whether the edit touched the list (an index in ValueLists()) or the text.
bool Touches(const ConfigurationEdit& edit, std::size_t list);
bool Touches(const ConfigurationEdit& edit, TextField text);

LevelCounts CountsOf(const tarnekArrayStruct& configuration);

// What turns `from` into `to`: per list the changed run of cells (or the whole list when
// its length changed), every text that differs, and the level counts.
ConfigurationEdit Difference(const tarnekArrayStruct& from, const tarnekArrayStruct& to);

void Apply(const ConfigurationEdit& edit, tarnekArrayStruct& configuration);
void Revert(const ConfigurationEdit& edit, tarnekArrayStruct& configuration);

// Every stored single text: the 46 parameters, the level count and the Devotion Aura value.
const std::vector<TextField>& StoredTexts();
