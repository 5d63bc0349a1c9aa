#include "cli/StreamMessageSink.h"

#include <string>

void StreamMessageSink::Show(const Message& message)
{
    // Several of the system's texts end in "\n" for the message box; one line break is enough here.
    std::string text = message.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (!message.caption.empty())
        out_ << message.caption << ": ";
    out_ << text << '\n';
    out_.flush();
    if (message.icon != MessageIcon::Information)
        failureShown_ = true;
}
