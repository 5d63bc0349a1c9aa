#pragma once

#include <vector>

#include "model/MessageSink.h"

// Keeps what the core would have shown, for the test to look at.
struct RecordingSink final : MessageSink {
    void Show(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};
