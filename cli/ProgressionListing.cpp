#include "cli/ProgressionListing.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "exchange/ValueText.h"
#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "model/Progression.h"

using Json = nlohmann::ordered_json;

namespace {

constexpr std::array<std::string_view, 2> kModeTitles{"short-term (kq4_save_xp 0)", "saved (kq4_save_xp 1)"};

struct ModeSteps {
    const XpModeDescriptor& mode;
    std::vector<ProgressionStep> steps;
};

std::vector<ModeSteps> BothModes(const tarnekArrayStruct& model)
{
    std::vector<ModeSteps> modes;
    for (const XpModeDescriptor& mode : XpModes())
        modes.push_back({mode, ComputeProgression(model, mode.mode)});
    return modes;
}

std::string CellName(std::size_t list, std::size_t cell)
{
    return std::string(ValueLists()[list].field) + "[" + std::to_string(cell) + "]";
}

std::string_view GapCode(StepGap gap)
{
    switch (gap) {
    case StepGap::NotANumber:
        return "not-a-number";
    case StepGap::NoXpPerKill:
        return "no-xp-per-kill";
    case StepGap::FallingNeededXp:
        return "falling-needed-xp";
    case StepGap::None:
        break;
    }
    return {};
}

// Always in quotes, so that an empty cell or a word reads as the cell's text.
std::string Shown(std::string_view text)
{
    std::string shown = ListingText(text);
    return shown.starts_with('"') ? shown : "\"" + shown + "\"";
}

std::string Column(const std::optional<std::int64_t>& value)
{
    char text[24];
    if (value)
        std::snprintf(text, sizeof text, "%13lld", static_cast<long long>(*value));
    else
        std::snprintf(text, sizeof text, "%13s", "-");
    return text;
}

Json StepsJson(const tarnekArrayStruct& model, const std::vector<ProgressionStep>& steps)
{
    Json entries = Json::array();
    for (const ProgressionStep& step : steps) {
        Json entry = {{"level", step.level}, {"kills", nullptr}, {"total", nullptr}};
        if (step.kills)
            entry["kills"] = *step.kills;
        if (step.total)
            entry["total"] = *step.total;
        if (step.gap != StepGap::None) {
            entry["gap"] = GapCode(step.gap);
            entry["cell"] = CellName(step.gapList, step.gapCell);
            entry["reason"] = GapReason(model, step);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace

std::string GapReason(const tarnekArrayStruct& model, const ProgressionStep& step)
{
    const ValueList& list = model.*ValueLists()[step.gapList].list;
    const std::string cell = CellName(step.gapList, step.gapCell);
    if (step.gapCell >= list.size())
        return cell + " does not exist";
    const std::string text = Shown(list.at(step.gapCell));
    switch (step.gap) {
    case StepGap::NotANumber:
        return cell + " " + text + " is not a whole number";
    case StepGap::NoXpPerKill:
        return cell + " is " + text + ": a kill gives no XP";
    case StepGap::FallingNeededXp:
        return cell + " " + text + " is below " + CellName(step.gapList, step.gapCell - 1) + " " +
               Shown(list.at(step.gapCell - 1)) + ": the needed XP falls";
    case StepGap::None:
        break;
    }
    return {};
}

Json ProgressionStepsJson(const tarnekArrayStruct& model, XpMode mode)
{
    return StepsJson(model, ComputeProgression(model, mode));
}

std::string ProgressionTable(const tarnekArrayStruct& model)
{
    const std::vector<ModeSteps> modes = BothModes(model);
    std::string text = "Kills to reach each level against opponents of the same level\n\n";
    // Each mode takes a blank and two 13-wide columns under its title.
    std::string titles = "     ";
    for (std::string_view title : kModeTitles) {
        std::string group(title);
        group.resize(std::max<std::size_t>(group.size(), 26), ' ');
        titles += " " + group;
    }
    titles.erase(titles.find_last_not_of(' ') + 1);
    text += titles + "\nlevel";
    for (std::size_t m = 0; m < modes.size(); ++m)
        text += "    step kills  total kills";
    text += '\n';

    std::size_t rows = 0;
    for (const ModeSteps& mode : modes)
        rows = std::max(rows, mode.steps.size());
    for (std::size_t row = 0; row < rows; ++row) {
        char level[24];
        std::snprintf(level, sizeof level, "%5zu", row + 1);
        text += level;
        for (const ModeSteps& mode : modes) {
            const bool has = row < mode.steps.size();
            text += " " + Column(has ? mode.steps[row].kills : std::nullopt) +
                    Column(has ? mode.steps[row].total : std::nullopt);
        }
        text += '\n';
    }

    std::string gaps;
    for (std::size_t m = 0; m < modes.size(); ++m)
        for (const ProgressionStep& step : modes[m].steps)
            if (step.gap != StepGap::None)
                gaps += "  " + std::string(kModeTitles[m]) + ", level " + FormatInteger(step.level) + ": " +
                        GapReason(model, step) + "\n";
    if (!gaps.empty())
        text += "\nUndefined steps (\"-\"; no total from the first of a mode on):\n" + gaps;
    return text;
}

std::string ProgressionJson(const tarnekArrayStruct& model)
{
    Json root = Json::object();
    root["opponents"] = "same level";
    for (const ModeSteps& mode : BothModes(model)) {
        root[std::string(mode.mode.key)] = {{"setting", mode.mode.setting},
                                            {"needed", ValueLists()[mode.mode.needed].field},
                                            {"given", ValueLists()[mode.mode.given].field},
                                            {"steps", StepsJson(model, mode.steps)}};
    }
    // A database written by another program may hold a text that is not UTF-8; the reason
    // quoting it must not stop the listing.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
