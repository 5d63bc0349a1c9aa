#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/MessageSink.h"
#include "model/tarnekArrayStruct.h"

// Taking a plugin's own base.h and skills.inl over into the editor's configuration, and
// keeping the plugin's files safe before the editor first writes over them.

// What taking the sources over changed (or would change) in a configuration.
struct AdoptionChanges {
    std::size_t lists = 0;                          // value lists with any cell different, added or removed
    std::size_t cells = 0;                          // those cells, counted over all lists
    std::size_t singleValues = 0;                   // Devotion Aura and the maximum chances that differ
    std::optional<std::string> previousLevelCount;  // set when the level count changed
    std::string levelCount;                         // the level count taken over

    bool Any() const { return lists > 0 || singleValues > 0 || previousLevelCount.has_value(); }
};

// Takes the level count, the 31 lists, Devotion Aura and the ten chances of `sources` (as
// ReadPluginSources gives them) into `model`; the fill parameters stay. A stored chance
// that the writer would write as the file has it (25 as 25.0) is kept as typed.
AdoptionChanges AdoptPluginSources(const tarnekArrayStruct& sources, tarnekArrayStruct& model);

// True when pluginFolder/tarnek holds both base.h and skills.inl and either differs from
// what the writers make of `model`: the plugin then has settings of its own.
bool SourcesDifferFrom(const std::filesystem::path& pluginFolder, const tarnekArrayStruct& model);

// Copies base.h and skills.inl to base.h.orig and skills.inl.orig beside them, byte for
// byte; an existing copy is never replaced. Returns the copies made now; a failed copy is
// shown through the sink.
std::vector<std::filesystem::path> KeepOriginalSources(const std::filesystem::path& pluginFolder, MessageSink& sink);

// The first start in a folder, when the configuration has just come from the carried copy:
// a plugin source that differs from it is copied to .orig (with its partner, where there is
// one), and true tells the caller to offer taking both over.
bool PrepareFirstStartOffer(const std::filesystem::path& pluginFolder, const tarnekArrayStruct& model,
                            MessageSink& sink);
