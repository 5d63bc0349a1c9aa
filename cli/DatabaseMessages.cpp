#include "DatabaseMessages.h"

#include "vloxBuildTarnekStruct.h"

void DatabaseMessages::Show(const Message& message)
{
    // The database layer captions its write failures with the application's title and its
    // read failures with nothing.
    if (!message.caption.empty() && message.caption != kApplicationTitle) {
        sink_.Show(message);
        return;
    }
    sink_.Show(Message{message.text, "tarnek-levels: " + databasePath_().string(), message.icon});
}
