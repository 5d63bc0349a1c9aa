#pragma once

// CONTRACT SKETCH for the settings-database helper: the names and signatures below are what
// the editor, the skill dialogs and the headless tool call. The implementation may add to it.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "MessageSink.h"
#include "ValueList.h"
#include "tarnekArrayStruct.h"
#include "xpBaseStruct.h"

// A failed connection or read, carrying the engine's own message text.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The settings database TarnekChangeLevelDatabase/TarnekChangeLevel.mdb under the current
// directory (an SQLite file), created from the carried copy when missing.
class vloxBuildTarnekStruct {
public:
    explicit vloxBuildTarnekStruct(MessageSink& sink);
    virtual ~vloxBuildTarnekStruct();

    bool ExtractDatabase();
    bool OpenDatabase();   // throws DatabaseError when the file is no usable database
    bool CloseDatabase();

    std::string SelectFirstValue(const std::string& table, const std::string& column);  // throws
    void SelectColumn(const std::string& table, const std::string& column, ValueList& list);  // throws

    // Version check (outdated file replaced, old one kept as a backup), then every field.
    void LoadAll(tarnekArrayStruct& model);  // throws DatabaseError

    // One transaction for the database part; then both plugin sources are written.
    void SaveAll(const tarnekArrayStruct& model, xpBaseStruct& writer);
    // The save of a skill dialog (tier 1..4): its per-level table and its parameters, one transaction.
    void SaveTier(Tier tier, const tarnekArrayStruct& model);

    std::filesystem::path databasePath;
};
