#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/tarnekArrayStruct.h"

// How many kills the climb from level 0 takes, per XP mode, counting every kill against an
// opponent of the player's own level: the step from level L to L+1 takes
// (needed[L+1] - needed[L]) / given[L] kills, rounded up. The plugin keeps the two modes
// apart (kq4_save_xp 0 and 1), so each has its own pair of lists.

enum class XpMode : std::int8_t { ShortTerm, Saved };

struct XpModeDescriptor {
    XpMode mode;
    std::string_view key;      // "shortTerm" or "saved", for machine-read output
    std::string_view setting;  // the plugin's console setting that selects the mode
    std::size_t needed;        // ValueLists() index of the XP needed per level
    std::size_t given;         // ValueLists() index of the XP a kill gives, by the victim's level
};

const std::array<XpModeDescriptor, 2>& XpModes();

// Why a step has no kill count. The first reason found names the step, in this order.
enum class StepGap : std::int8_t {
    None,
    NotANumber,       // a cell the plugin would not take as a whole number, or a missing cell
    NoXpPerKill,      // given[L] is 0 or negative: no number of kills reaches the next level
    FallingNeededXp,  // needed[L+1] is below needed[L]
};

struct ProgressionStep {
    std::int32_t level = 0;             // the level the step reaches, from level - 1
    std::optional<std::int64_t> kills;  // none for a gap
    std::optional<std::int64_t> total;  // from level 0; none from the first gap on
    StepGap gap = StepGap::None;
    std::size_t gapList = 0;  // the cell behind the gap: ValueLists() index and position
    std::size_t gapCell = 0;
};

// A cell as the plugin reads it from an integer array; none for a missing cell or a text
// the plugin would not take as a whole number.
std::optional<std::int64_t> ReadPluginInteger(std::string_view text);
std::optional<std::int64_t> ReadPluginInteger(const ValueList& list, std::size_t i);

// The step from level `from` to from + 1, from the needed cells at from (low) and from + 1
// (high) and the given cell at from; its total is left to the caller.
ProgressionStep StepFrom(const XpModeDescriptor& lists, std::size_t from, std::optional<std::int64_t> low,
                         std::optional<std::int64_t> high, std::optional<std::int64_t> perKill);

// One step per level above 0 that both lists reach. Cells count as the plugin reads its
// integer arrays: a whole number, with the model's integer reading (32-bit, saturating),
// so every difference and sum fits 64 bits with room to spare.
std::vector<ProgressionStep> ComputeProgression(const tarnekArrayStruct& model, XpMode mode);
