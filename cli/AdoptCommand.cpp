#include "cli/AdoptCommand.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "cli/CommandSession.h"
#include "cli/ExitStatus.h"
#include "cli/StreamMessageSink.h"
#include "model/LevelCounts.h"
#include "pluginsrc/PluginSourceReader.h"
#include "pluginsrc/SourceAdoption.h"

namespace {

std::string Summary(const AdoptionChanges& changes)
{
    if (!changes.Any())
        return "the configuration already holds what tarnek/base.h and tarnek/skills.inl say";
    std::string text = std::to_string(changes.lists) + (changes.lists == 1 ? " list" : " lists") + " (" +
                       std::to_string(changes.cells) + (changes.cells == 1 ? " cell" : " cells") + "), " +
                       std::to_string(changes.singleValues) + " other " +
                       (changes.singleValues == 1 ? "value" : "values");
    if (changes.previousLevelCount)
        text += "; level count " + changes.levelCount + " (was " + *changes.previousLevelCount + ")";
    return text;
}

}  // namespace

int AdoptCommand(const PreparedCommand& command, ToolStreams& io)
{
    const bool dryRun = command.invocation.dryRun;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    // The sources are read whole before the database is opened, so that a source that
    // cannot be read changes nothing at all.
    const PluginSourcesReading reading = ReadPluginSources(folder);
    if (!reading) {
        io.err << "tarnek-levels: adopt: " << reading.failure().Text() << "; nothing changed\n";
        return kExitFailed;
    }

    return InOpenSession(
        io.err,
        [&](StreamMessageSink& sink, EditingSession& session) -> int {
            const tarnekArrayStruct& taken = *reading;
            tarnekArrayStruct adopted = session.configuration();
            const AdoptionChanges changes = AdoptPluginSources(taken, adopted);
            // The database keeps only lists as long as the level count says; the editor reads such
            // sources as they stand and marks them, but a save of them is refused.
            if (const auto mismatch = FirstListOfWrongLength(adopted, adopted.maxLevels)) {
                io.err << "tarnek-levels: adopt: " << mismatch->list->array << " in the sources holds "
                       << mismatch->length << " values, but MAX_LEVELS " << adopted.levelCountText << " makes it "
                       << mismatch->expected << "; the configuration cannot be stored so, nothing changed\n";
                return kExitFailed;
            }
            if (dryRun) {
                io.out << (changes.Any() ? "would take over: " : "") << Summary(changes)
                       << "; nothing saved (--dry-run)\n";
                return sink.failureShown() ? kExitFailed : kExitSuccess;
            }
            // Comments and declarations of someone's own do not survive the rewrite, so the files
            // as they were are kept once.
            if (SourcesDifferFrom(folder, adopted))
                KeepOriginalSources(folder, sink);
            // Taken over on what is stored at the moment of the save, as every changing command does.
            const SaveReport report = session.Update(SaveScope::Everything(), [&](EditingSession& s) {
                tarnekArrayStruct current = s.configuration();
                AdoptPluginSources(taken, current);
                s.Replace(current);
                return true;
            });
            if (report.outcome != SaveOutcome::Saved)
                return kExitFailed;
            io.out << (changes.Any() ? "took over: " : "") << Summary(changes) << '\n';
            return sink.failureShown() ? kExitFailed : kExitSuccess;
        },
        AdoptHint::Omit);
}

void KeepOwnSourcesOfAFirstRun(const tarnekArrayStruct& carried, MessageSink& sink, bool hint)
{
    std::error_code error;
    if (PrepareFirstStartOffer(std::filesystem::current_path(error), carried, sink) && hint)
        sink.Show(Message{"the plugin's tarnek/base.h and tarnek/skills.inl hold level settings of their own (copies "
                          "kept as tarnek/base.h.orig and tarnek/skills.inl.orig); run \"tarnek-levels adopt\" to "
                          "take them over",
                          "tarnek-levels", MessageIcon::Information});
}
