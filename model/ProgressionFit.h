#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Progression.h"
#include "model/Result.h"
#include "model/tarnekArrayStruct.h"

// Balance by time: the value of one fill parameter of an XP mode's two lists whose fill
// brings the kills from level 0 to a level closest to a target. Every value of the two
// integer rules is affine in each parameter, so within the values where no element of the
// filled list wraps and every step up to the level is defined, each step's kills move one
// way as the parameter grows; the total is monotone there and a binary search finds it.

struct FitRequest {
    XpMode mode = XpMode::Saved;
    std::int32_t level = 0;  // the climb from level 0 to this level, 1 to the level count
    std::int64_t targetKills = 0;
    std::size_t parameter = 0;  // Parameters() index, one of FitParameters(mode)
};

struct FitChoice {
    std::size_t parameter = 0;  // Parameters() index
    std::size_t list = 0;       // ValueLists() index of the list the parameter fills
    std::int32_t value = 0;
    std::int64_t total = 0;  // kills from level 0 to the level after the fill with this value
    std::int64_t target = 0;
    std::int32_t lowest = 0;  // the values the parameter may take: none wraps, every step defined
    std::int32_t highest = 0;

    std::int64_t difference() const { return total - target; }
};

enum class FitProblem : std::int8_t {
    NotAParameterOfTheMode,
    LevelOutOfRange,  // below 1 or above the level count (or a count too large to fit)
    FixedGap,         // a step no value of the parameter defines: `gap` names it
    NoValue,          // every value wraps an element or leaves some step undefined
    Unreachable,      // the target lies outside the totals the values give: `nearest` comes closest
};

struct FitFailure {
    FitProblem problem = FitProblem::NoValue;
    std::optional<FitChoice> nearest;
    ProgressionStep gap;
};

// The parameters a fit of this mode may choose, the default first: the needed list's own
// rule parameter (increment or multiplier), its initial value, then the given list's
// increment and initial value.
std::vector<std::size_t> FitParameters(XpMode mode);

// The XP list whose fill reads this parameter (a Parameters() index of an XP list's).
std::size_t ListFilledBy(std::size_t parameter);

// Reads the configuration as the fill button would find it and never changes it. The total
// counts the plugin's own integers, computed as the fill computes them.
Result<FitChoice, FitFailure> FitParameter(const tarnekArrayStruct& model, const FitRequest& request);

// The configuration after the fill with the chosen value, as the fill button leaves it.
tarnekArrayStruct WithFittedValue(tarnekArrayStruct model, const FitChoice& choice);
