#include "cli/FitCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include <nlohmann/json.hpp>

#include "cli/CommandSession.h"
#include "cli/ExitStatus.h"
#include "cli/ProgressionListing.h"
#include "exchange/NameLookup.h"
#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"

using Json = nlohmann::ordered_json;

namespace {

// More kills than any climb of 32-bit cells can take, and still exact in a double.
constexpr double kMostTargetKills = 1e15;

UsageError Refusal(const Invocation& inv, std::string text)
{
    return UsageError{std::move(text), inv.command};
}

bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A positive decimal, or why not.
Result<double, UsageError> PositiveDecimal(const Invocation& inv, const Assignment& option)
{
    const std::string& text = option.value;
    if (text.empty() || DecimalPrefixLength(text) != text.size() || text.find_first_of(" \t\n\v\f\r") == 0)
        return Refusal(inv, option.name + " needs a number, got " + Quoted(ShownName(text)));
    const double value = ReadDecimal(text);
    if (!(value > 0) || value > kMostTargetKills)
        return Refusal(inv, option.name + " must be more than 0 and at most 1e15, got " + Quoted(ShownName(text)));
    return value;
}

Result<std::int64_t, UsageError> PositiveWhole(const Invocation& inv, const Assignment& option)
{
    if (!IsWholeNumber(option.value) || ReadDecimal(option.value) < 1)
        return Refusal(inv, option.name + " must be a whole number from 1, got " + Quoted(ShownName(option.value)));
    return static_cast<std::int64_t>(ReadDecimal(option.value));
}

std::string ParameterNames(XpMode mode)
{
    std::string names;
    for (std::size_t p : FitParameters(mode))
        names += (names.empty() ? "" : ", ") + std::string(Parameters()[p].field);
    return names;
}

UsageCheck TakeParameter(PreparedCommand& prepared, const Assignment& option)
{
    const Invocation& inv = prepared.invocation;
    const auto resolved = ResolveName(option.value);
    if (!resolved)
        return Refusal(inv, resolved.failure().text);
    const XpModeDescriptor& mode = XpModes()[static_cast<std::size_t>(prepared.fit.mode)];
    const auto allowed = FitParameters(mode.mode);
    if (resolved->kind != NameKind::Parameter ||
        std::find(allowed.begin(), allowed.end(), resolved->index) == allowed.end())
        return Refusal(inv, Quoted(ShownName(option.value)) + " is not a parameter of the " + std::string(mode.key) +
                                " lists; fit " + std::string(mode.key) + " chooses one of " +
                                ParameterNames(mode.mode));
    prepared.fit.parameter = resolved->index;
    return Done{};
}

std::string Kills(std::int64_t kills)
{
    return std::to_string(kills) + (kills == 1 ? " kill" : " kills");
}

std::string Hours(double hours)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f h", hours);
    return text;
}

// What a climb of this many kills is in the terms the target was given in.
std::string Climb(const PreparedCommand& command, std::int64_t kills)
{
    if (!command.fitHours)
        return Kills(kills);
    return Kills(kills) + " (" + Hours(static_cast<double>(kills) / command.fitKillsPerHour) + ")";
}

std::string TargetText(const PreparedCommand& command)
{
    if (!command.fitHours)
        return Kills(command.fit.targetKills);
    return Hours(*command.fitHours) + " at " + FormatGeneral(command.fitKillsPerHour) +
           " kills an hour = " + Kills(command.fit.targetKills);
}

std::string FailureText(const PreparedCommand& command, const FitRequest& request, const tarnekArrayStruct& model,
                        const FitFailure& failure)
{
    const std::string parameter(Parameters()[request.parameter].field);
    const std::string level = "level " + FormatInteger(request.level);
    switch (failure.problem) {
    case FitProblem::Unreachable: {
        const FitChoice& nearest = *failure.nearest;
        return "no value of " + parameter + " from " + FormatInteger(nearest.lowest) + " to " +
               FormatInteger(nearest.highest) +
               " (beyond them a value passes the 32-bit range or a step is undefined) makes the climb to " + level +
               " take " + TargetText(command) + "; the nearest, " + FormatInteger(nearest.value) + ", makes it " +
               Climb(command, nearest.total);
    }
    case FitProblem::FixedGap: {
        // The cell as the fill would leave it: the initial text is written to cell 0 as it stands.
        FitChoice current;
        current.parameter = request.parameter;
        current.list = ListFilledBy(request.parameter);
        current.value = ReadInteger(model.*Parameters()[request.parameter].text);
        return "the step to level " + FormatInteger(failure.gap.level) + " is undefined whatever " + parameter +
               " is: " + GapReason(WithFittedValue(model, current), failure.gap);
    }
    case FitProblem::LevelOutOfRange:
        return level + " is outside the configuration's levels 1 to " + model.levelCountText;
    case FitProblem::NotAParameterOfTheMode:
    case FitProblem::NoValue:
        break;
    }
    return "every value of " + parameter + " either takes a value of " +
           std::string(ValueLists()[ListFilledBy(request.parameter)].field) +
           " past the 32-bit range or leaves a step up to " + level + " undefined";
}

std::string ResultText(const PreparedCommand& command, const FitChoice& choice, const tarnekArrayStruct& filled,
                       std::int32_t level)
{
    const std::int64_t miss = choice.difference();
    std::string text = std::string(Parameters()[choice.parameter].field) + " " + FormatInteger(choice.value) +
                       ": level " + FormatInteger(level) + " after " + Climb(command, choice.total) + "; target " +
                       TargetText(command);
    if (miss != 0)
        text += ", " + Kills(std::llabs(miss)) + (miss < 0 ? " fewer" : " more");
    text += "\n" + std::string(ValueLists()[choice.list].field) + " filled with it" +
            (command.invocation.dryRun ? "; nothing saved (--dry-run)" : " and saved") + "\n\n";
    return text + ProgressionTable(filled);
}

std::string ResultJson(const PreparedCommand& command, const FitChoice& choice, const tarnekArrayStruct& filled,
                       std::int32_t level)
{
    const XpModeDescriptor& mode = XpModes()[static_cast<std::size_t>(command.fit.mode)];
    Json root = {{"mode", mode.key},
                 {"parameter", Parameters()[choice.parameter].field},
                 {"value", choice.value},
                 {"list", ValueLists()[choice.list].field},
                 {"level", level},
                 {"total", choice.total},
                 {"target", choice.target},
                 {"difference", choice.difference()},
                 {"saved", !command.invocation.dryRun}};
    if (command.fitHours)
        root["hours"] = {{"target", *command.fitHours},
                         {"total", static_cast<double>(choice.total) / command.fitKillsPerHour},
                         {"killsPerHour", command.fitKillsPerHour}};
    root["steps"] = ProgressionStepsJson(filled, command.fit.mode);
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

UsageCheck TakeFitOperands(Invocation& inv, std::span<const std::string> operands)
{
    if (operands.empty())
        return Refusal(inv, "fit needs the XP mode: shortTerm or saved");
    if (operands.size() > 1)
        return Refusal(inv, "fit takes one XP mode, got also " + Quoted(ShownName(operands[1]), '\''));
    inv.target = operands[0];
    return Done{};
}

UsageCheck PrepareFit(PreparedCommand& prepared)
{
    const Invocation& inv = prepared.invocation;
    const auto mode = std::find_if(XpModes().begin(), XpModes().end(),
                                   [&](const XpModeDescriptor& m) { return m.key == inv.target; });
    if (mode == XpModes().end())
        return Refusal(inv, "the XP mode is shortTerm (kq4_save_xp 0) or saved (kq4_save_xp 1), not " +
                                Quoted(ShownName(inv.target)));
    prepared.fit.mode = mode->mode;
    prepared.fit.parameter = FitParameters(mode->mode).front();

    std::optional<double> perHour;
    std::optional<std::int64_t> kills;
    for (const Assignment& option : inv.valueOptions) {
        if (option.name == "--parameter") {
            if (auto taken = TakeParameter(prepared, option); !taken)
                return taken;
            continue;
        }
        if (option.name == "--hours" || option.name == "--kills-per-hour") {
            const auto value = PositiveDecimal(inv, option);
            if (!value)
                return value.failure();
            (option.name == "--hours" ? prepared.fitHours : perHour) = *value;
            continue;
        }
        const auto value = PositiveWhole(inv, option);
        if (!value)
            return value.failure();
        if (option.name == "--kills")
            kills = *value;
        else
            prepared.fit.level =
                static_cast<std::int32_t>(std::min<std::int64_t>(*value, std::numeric_limits<std::int32_t>::max()));
    }
    if (kills && (prepared.fitHours || perHour))
        return Refusal(inv, "fit takes the target either as --kills N or as --hours H with --kills-per-hour K");
    if (!kills && !(prepared.fitHours && perHour))
        return Refusal(inv, prepared.fitHours || perHour
                                ? "--hours and --kills-per-hour go together"
                                : "fit needs the target: --hours H with --kills-per-hour K, or --kills N");
    if (kills) {
        prepared.fit.targetKills = *kills;
        return Done{};
    }
    const double target = *prepared.fitHours * *perHour;
    if (target > kMostTargetKills)
        return Refusal(inv, "--hours times --kills-per-hour is more kills than any climb takes");
    prepared.fitKillsPerHour = *perHour;
    prepared.fit.targetKills = std::llround(target);
    return Done{};
}

int FitCommand(const PreparedCommand& command, ToolStreams& io)
{
    return InOpenSession(io.err, [&](StreamMessageSink& sink, EditingSession& session) -> int {
        FitRequest request = command.fit;
        std::string refused;
        std::optional<FitChoice> chosen;
        // Chosen on what is stored when it is filled, so that the value and the fill agree.
        auto choose = [&](const tarnekArrayStruct& model) {
            if (request.level == 0)
                request.level = ReadInteger(model.levelCountText);
            const auto fit = FitParameter(model, request);
            if (!fit)
                refused = FailureText(command, request, model, fit.failure());
            else
                chosen = *fit;
            return bool(fit);
        };
        if (command.invocation.dryRun) {
            choose(session.configuration());
        } else {
            const SaveReport report = session.Update(SaveScope::MainWindow(), [&](EditingSession& s) {
                if (!choose(s.configuration()))
                    return false;
                s.Fill(chosen->list, {{Parameters()[chosen->parameter].text, FormatInteger(chosen->value)}});
                return true;
            });
            if (refused.empty() && report.outcome != SaveOutcome::Saved)
                return kExitFailed;
        }
        if (!refused.empty()) {
            io.err << "tarnek-levels: fit: " << refused << "; nothing changed\n";
            return kExitFailed;
        }
        const tarnekArrayStruct filled =
            command.invocation.dryRun ? WithFittedValue(session.configuration(), *chosen) : session.configuration();
        io.out << (command.invocation.json ? ResultJson(command, *chosen, filled, request.level)
                                           : ResultText(command, *chosen, filled, request.level));
        io.out.flush();
        return !io.out || sink.failureShown() ? kExitFailed : kExitSuccess;
    });
}
