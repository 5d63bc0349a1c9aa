#include "model/Progression.h"

#include "model/Descriptors.h"
#include "model/PluginNumbers.h"
#include "model/TextReadings.h"

const std::array<XpModeDescriptor, 2>& XpModes()
{
    using M = tarnekArrayStruct;
    static const std::array<XpModeDescriptor, 2> modes{{
        {XpMode::ShortTerm, "shortTerm", "kq4_save_xp 0", IndexOf(&M::xpLevelShortTerm), IndexOf(&M::xpGivenShortTerm)},
        {XpMode::Saved, "saved", "kq4_save_xp 1", IndexOf(&M::xpLevelSaved), IndexOf(&M::xpGivenSaved)},
    }};
    return modes;
}

std::optional<std::int64_t> ReadPluginInteger(std::string_view text)
{
    if (CheckPluginNumber(text, ArrayKind::Integer))
        return std::nullopt;
    return ReadInteger(text);
}

std::optional<std::int64_t> ReadPluginInteger(const ValueList& list, std::size_t i)
{
    return i < list.size() ? ReadPluginInteger(list.at(i)) : std::nullopt;
}

ProgressionStep StepFrom(const XpModeDescriptor& lists, std::size_t from, std::optional<std::int64_t> low,
                         std::optional<std::int64_t> high, std::optional<std::int64_t> perKill)
{
    ProgressionStep step;
    step.level = static_cast<std::int32_t>(from + 1);
    auto gap = [&step](StepGap why, std::size_t list, std::size_t cell) {
        step.gap = why;
        step.gapList = list;
        step.gapCell = cell;
    };
    if (!low)
        gap(StepGap::NotANumber, lists.needed, from);
    else if (!high)
        gap(StepGap::NotANumber, lists.needed, from + 1);
    else if (!perKill)
        gap(StepGap::NotANumber, lists.given, from);
    else if (*perKill <= 0)
        gap(StepGap::NoXpPerKill, lists.given, from);
    else if (*high < *low)
        gap(StepGap::FallingNeededXp, lists.needed, from + 1);
    else
        step.kills = (*high - *low + *perKill - 1) / *perKill;
    return step;
}

std::vector<ProgressionStep> ComputeProgression(const tarnekArrayStruct& model, XpMode mode)
{
    const XpModeDescriptor& lists = XpModes()[static_cast<std::size_t>(mode)];
    const ValueList& needed = model.*ValueLists()[lists.needed].list;
    const ValueList& given = model.*ValueLists()[lists.given].list;

    std::vector<ProgressionStep> steps;
    const std::size_t count = needed.empty() ? 0 : needed.size() - 1;
    steps.reserve(count);
    std::optional<std::int64_t> total = 0;
    for (std::size_t from = 0; from < count; ++from) {
        ProgressionStep step = StepFrom(lists, from, ReadPluginInteger(needed, from),
                                        ReadPluginInteger(needed, from + 1), ReadPluginInteger(given, from));
        if (step.kills && total)
            total = *total + *step.kills;
        else
            total.reset();
        step.total = total;
        steps.push_back(step);
    }
    return steps;
}
