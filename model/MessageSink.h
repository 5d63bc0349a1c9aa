#pragma once

#include <string>

// How the core tells the user about a problem without knowing who shows it: the editor
// puts up a message box, the headless tool prints to stderr, tests record. Never blocks
// the core on an answer.
enum class MessageIcon { Error, Warning, Information, Stop };

struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Error;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(const Message& message) = 0;
};
