#pragma once

#include <ostream>

#include "model/MessageSink.h"

// Prints what the editor would show in a message box, as "caption: text", and remembers
// whether any of it reported a failure (an error, or the warning of a rolled-back database
// write), so that a save that failed does not end in exit status 0.
class StreamMessageSink final : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& out) : out_(out) {}

    void Show(const Message& message) override;
    bool failureShown() const { return failureShown_; }

private:
    std::ostream& out_;
    bool failureShown_ = false;
};
