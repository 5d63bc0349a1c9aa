#include "model/ProgressionFit.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "model/Descriptors.h"
#include "model/FillRules.h"
#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"

namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
// Up to here the coefficients of the multiplier rule, about levels² · 2^31, fit 64 bits.
constexpr std::int32_t kMostFittedLevels = 1 << 15;

// A cell's value as a + b·p of the chosen parameter p; b is 0 for a cell the fill leaves.
struct Affine {
    std::int64_t a = 0;
    std::int64_t b = 0;
    // Exact inside the fit's range, where a + b·p is a 32-bit value.
    std::int64_t At(std::int64_t p) const { return a + b * p; }
};
using Cell = std::optional<Affine>;

std::int64_t FloorDiv(std::int64_t n, std::int64_t d)
{
    const std::int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

struct Range {
    std::int64_t low = kLowest;
    std::int64_t high = kHighest;

    // Keeps the values of p where a + b·p ≥ c; false when no value can (b = 0 and a < c).
    bool Require(const Affine& v, std::int64_t c)
    {
        if (v.b > 0)
            low = std::max(low, -FloorDiv(v.a - c, v.b));
        else if (v.b < 0)
            high = std::min(high, FloorDiv(v.a - c, -v.b));
        return v.b != 0 || v.a >= c;
    }
    bool KeepWithin32Bits(const Affine& v) { return Require(v, kLowest) && Require({-v.a, -v.b}, -kHighest); }
    bool empty() const { return low > high; }
};

std::size_t ParameterIndex(TextField text)
{
    for (std::size_t i = 0; i < Parameters().size(); ++i)
        if (Parameters()[i].text == text)
            return i;
    throw std::logic_error("a fill parameter without a descriptor row");
}

// The cells the fill writes with p for the chosen parameter: element 0 is the initial text
// itself, the others the rule's values computed exactly, so that their coefficients show
// which values of p wrap.
std::vector<Cell> FilledCells(const tarnekArrayStruct& model, const ListDescriptor& list, bool choosingInitial,
                              std::size_t count)
{
    const std::int64_t other = ReadInteger(model.*(choosingInitial ? list.firstParameter : list.secondParameter));
    auto element = [&](std::int64_t p, std::int64_t i) {
        const std::int64_t initial = choosingInitial ? p : other;
        const std::int64_t rule = choosingInitial ? other : p;
        switch (list.rule) {
        case FillRule::Increment:
            return IncrementElement(initial, rule, i);
        case FillRule::Multiplier:
            return MultiplierElement(initial, rule, i);
        default:
            throw std::logic_error("an XP list with a rule the fit does not know");
        }
    };
    std::vector<Cell> cells;
    cells.reserve(count);
    if (choosingInitial) {
        cells.push_back(Affine{0, 1});
    } else if (const auto first = ReadPluginInteger(model.*list.secondParameter)) {
        cells.push_back(Affine{*first, 0});
    } else {
        cells.push_back(std::nullopt);
    }
    for (std::size_t i = 1; i < count; ++i) {
        const auto at = static_cast<std::int64_t>(i);
        const std::int64_t a = element(0, at);
        cells.push_back(Affine{a, element(1, at) - a});
    }
    return cells;
}

std::vector<Cell> StoredCells(const ValueList& list, std::size_t count)
{
    std::vector<Cell> cells;
    cells.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        if (const auto value = ReadPluginInteger(list, i))
            cells.push_back(Affine{*value, 0});
        else
            cells.push_back(std::nullopt);
    return cells;
}

// The climb to the level with the needed and the given cells as functions of p.
struct Climb {
    const XpModeDescriptor& lists;
    std::vector<Cell> needed;  // levels 0 to the level
    std::vector<Cell> given;   // levels 0 to the level - 1

    // Only inside the range, where every step is defined.
    std::int64_t Total(std::int64_t p) const
    {
        std::int64_t total = 0;
        for (std::size_t from = 0; from < given.size(); ++from)
            total += *StepFrom(lists, from, needed[from]->At(p), needed[from + 1]->At(p), given[from]->At(p)).kills;
        return total;
    }
};

FitFailure GapOfEveryValue(StepGap why, std::size_t list, std::size_t cell, std::size_t from)
{
    FitFailure failure{FitProblem::FixedGap, std::nullopt, {}};
    failure.gap.level = static_cast<std::int32_t>(from + 1);
    failure.gap.gap = why;
    failure.gap.gapList = list;
    failure.gap.gapCell = cell;
    return failure;
}

// Narrows the range to the values that define every step; a step that no value defines is
// the failure.
std::optional<FitFailure> KeepDefinedSteps(const Climb& climb, Range& range)
{
    const XpModeDescriptor& lists = climb.lists;
    for (std::size_t from = 0; from < climb.given.size(); ++from) {
        const Cell& low = climb.needed[from];
        const Cell& high = climb.needed[from + 1];
        const Cell& perKill = climb.given[from];
        if (!low)
            return GapOfEveryValue(StepGap::NotANumber, lists.needed, from, from);
        if (!high)
            return GapOfEveryValue(StepGap::NotANumber, lists.needed, from + 1, from);
        if (!perKill)
            return GapOfEveryValue(StepGap::NotANumber, lists.given, from, from);
        if (!range.Require(*perKill, 1))
            return GapOfEveryValue(StepGap::NoXpPerKill, lists.given, from, from);
        if (!range.Require({high->a - low->a, high->b - low->b}, 0))
            return GapOfEveryValue(StepGap::FallingNeededXp, lists.needed, from + 1, from);
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::size_t> FitParameters(XpMode mode)
{
    const XpModeDescriptor& lists = XpModes()[static_cast<std::size_t>(mode)];
    const ListDescriptor& needed = ValueLists()[lists.needed];
    const ListDescriptor& given = ValueLists()[lists.given];
    return {ParameterIndex(needed.firstParameter), ParameterIndex(needed.secondParameter),
            ParameterIndex(given.firstParameter), ParameterIndex(given.secondParameter)};
}

std::size_t ListFilledBy(std::size_t parameter)
{
    const TextField text = Parameters().at(parameter).text;
    for (const ListDescriptor& list : ListsOfTier(Tier::Xp))
        if (list.firstParameter == text || list.secondParameter == text)
            return IndexOf(list.list);
    throw std::logic_error("not a parameter of an XP list");
}

Result<FitChoice, FitFailure> FitParameter(const tarnekArrayStruct& model, const FitRequest& request)
{
    const XpModeDescriptor& lists = XpModes()[static_cast<std::size_t>(request.mode)];
    const std::vector<std::size_t> allowed = FitParameters(request.mode);
    if (std::find(allowed.begin(), allowed.end(), request.parameter) == allowed.end())
        return FitFailure{FitProblem::NotAParameterOfTheMode, std::nullopt, {}};
    const TextField parameter = Parameters()[request.parameter].text;
    const std::size_t filled = ListFilledBy(request.parameter);
    const ListDescriptor& list = ValueLists()[filled];

    // The fill runs over the count of the level-count text, as the fill button's does.
    const std::int32_t levels = ReadInteger(model.levelCountText);
    if (request.level < 1 || request.level > levels || levels > kMostFittedLevels)
        return FitFailure{FitProblem::LevelOutOfRange, std::nullopt, {}};
    const auto level = static_cast<std::size_t>(request.level);

    Range range;
    std::vector<Cell> cells = FilledCells(model, list, list.secondParameter == parameter, ListLengthFor(list, levels));
    for (const Cell& cell : cells)
        if (cell && !range.KeepWithin32Bits(*cell))
            return FitFailure{FitProblem::NoValue, std::nullopt, {}};
    const bool neededFilled = filled == lists.needed;
    cells.resize(neededFilled ? level + 1 : level);
    const ValueList& stored = model.*ValueLists()[neededFilled ? lists.given : lists.needed].list;
    std::vector<Cell> others = StoredCells(stored, neededFilled ? level : level + 1);
    const Climb climb{lists, neededFilled ? std::move(cells) : std::move(others),
                      neededFilled ? std::move(others) : std::move(cells)};
    if (auto gap = KeepDefinedSteps(climb, range))
        return *gap;
    if (range.empty())
        return FitFailure{FitProblem::NoValue, std::nullopt, {}};

    FitChoice base{request.parameter,
                   filled,
                   0,
                   0,
                   request.targetKills,
                   static_cast<std::int32_t>(range.low),
                   static_cast<std::int32_t>(range.high)};
    auto at = [&](std::int64_t p) {
        FitChoice choice = base;
        choice.value = static_cast<std::int32_t>(p);
        choice.total = climb.Total(p);
        return choice;
    };
    // Of values that come equally near, the one the parameter holds now: a fit changes nothing
    // that already meets the target, and a parameter the climb does not depend on stays put.
    const std::int64_t current = ReadInteger(model.*parameter);
    auto orCurrent = [&](const FitChoice& choice) {
        if (current < range.low || current > range.high)
            return choice;
        const FitChoice kept = at(current);
        return std::abs(kept.difference()) <= std::abs(choice.difference()) ? kept : choice;
    };
    const FitChoice lowest = at(range.low);
    const FitChoice highest = at(range.high);
    const bool rising = lowest.total <= highest.total;
    const std::int64_t fewest = std::min(lowest.total, highest.total);
    const std::int64_t most = std::max(lowest.total, highest.total);
    const std::int64_t target = request.targetKills;
    if (target < fewest || target > most)
        return FitFailure{FitProblem::Unreachable, orCurrent((target < fewest) == rising ? lowest : highest), {}};

    // The first value whose total reaches the target, and the one before it.
    std::int64_t first = range.low;
    std::int64_t last = range.high;
    while (first < last) {
        const std::int64_t middle = first + (last - first) / 2;
        const std::int64_t total = climb.Total(middle);
        if (rising ? total >= target : total <= target)
            last = middle;
        else
            first = middle + 1;
    }
    FitChoice best = at(first);
    if (first > range.low) {
        const FitChoice before = at(first - 1);
        const std::int64_t bestMiss = std::abs(best.difference());
        const std::int64_t beforeMiss = std::abs(before.difference());
        // Of two equally near, the shorter climb.
        if (beforeMiss < bestMiss || (beforeMiss == bestMiss && before.total < best.total))
            best = before;
    }
    return orCurrent(best);
}

tarnekArrayStruct WithFittedValue(tarnekArrayStruct model, const FitChoice& choice)
{
    model.*Parameters()[choice.parameter].text = FormatInteger(choice.value);
    model.RefreshMaxLevels();
    const ListDescriptor& list = ValueLists()[choice.list];
    RunFill(list, model, FillCount(list, model));
    return model;
}
