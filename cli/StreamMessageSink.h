#pragma once

#include <ostream>

#include "MessageSink.h"

// Prints what the editor would show in a message box, as "caption: text", and remembers
// whether any of it was an error, so that a save that reported a failure does not end in
// exit status 0.
class StreamMessageSink final : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& out) : out_(out) {}

    void Show(const Message& message) override;
    bool errorShown() const { return errorShown_; }

private:
    std::ostream& out_;
    bool errorShown_ = false;
};
