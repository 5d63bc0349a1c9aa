#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "model/MessageSink.h"

// Puts the tool's name and the database file in front of the engine's messages ("database
// is locked"), which name neither; every other message passes as it is.
class DatabaseMessages final : public MessageSink {
public:
    using DatabasePath = std::function<std::filesystem::path()>;

    DatabaseMessages(MessageSink& sink, DatabasePath databasePath) : sink_(sink), databasePath_(std::move(databasePath))
    {}
    void Show(const Message& message) override;

private:
    MessageSink& sink_;
    DatabasePath databasePath_;  // asked when a message comes: known once opening began
};
