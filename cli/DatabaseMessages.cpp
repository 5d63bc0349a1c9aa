#include "cli/DatabaseMessages.h"

#include "settingsdb/vloxBuildTarnekStruct.h"

void DatabaseMessages::Show(const Message& message)
{
    // The database layer captions its write failures with the application's title and its
    // read failures with nothing.
    if (!message.caption.empty() && message.caption != kApplicationTitle) {
        sink_.Show(message);
        return;
    }
    // A report made while the database opens (a damaged file) may come before the path is known.
    const std::filesystem::path path = databasePath_();
    sink_.Show(Message{message.text, path.empty() ? "tarnek-levels" : "tarnek-levels: " + path.string(), message.icon});
}
