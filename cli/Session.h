#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "Descriptors.h"
#include "StreamMessageSink.h"
#include "tarnekArrayStruct.h"
#include "vloxBuildTarnekStruct.h"
#include "xpBaseStruct.h"

// What the editor's main dialog holds for its whole life, for the length of one command:
// the database record, the level model and the source writer, all on the current directory.
class Session final {
public:
    explicit Session(StreamMessageSink& sink);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the database as the editor does (extracting the carried copy when missing,
    // replacing an outdated one) and loads it; false after the reason has been shown.
    // When this open created the database in a folder whose plugin sources hold settings
    // of their own, those are kept as .orig copies and, unless told not to, the way to take
    // them over is pointed out.
    enum class AdoptHint { Show, Omit };
    bool Open(AdoptHint hint = AdoptHint::Show);

    tarnekArrayStruct& model() { return model_; }

    // The main window's save: database, then both plugin sources.
    void SaveAll();
    // Saves as the window that edits this tier's values does; a skill tier's save writes
    // no source, so both are rewritten after it to keep files and database in agreement.
    void SaveOwnedBy(Tier tier);
    // Every table and every single value in one transaction, then both sources if it committed.
    void SaveEverything();
    // Both plugin sources from the model; false when either could not be written.
    bool WriteSources();

private:
    // Puts the tool's name and the database file in front of the engine's messages ("database
    // is locked"), which name neither.
    class DatabaseMessages final : public MessageSink {
    public:
        DatabaseMessages(MessageSink& sink, const std::filesystem::path& databasePath)
            : sink_(sink), databasePath_(databasePath) {}
        void Show(const Message& message) override;
        std::string Prefix() const;

    private:
        MessageSink& sink_;
        const std::filesystem::path& databasePath_;
    };

    StreamMessageSink& sink_;
    std::filesystem::path databasePath_;  // where the database record looked, once opened
    DatabaseMessages databaseMessages_;
    vloxBuildTarnekStruct database_;
    tarnekArrayStruct model_;
    xpBaseStruct writer_;
};
