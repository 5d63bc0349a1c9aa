#include "widgets/MessageBoxSink.h"

#include "widgets/UserMessageBox.h"

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Error:
    case MessageIcon::Stop:
        break;
    }
    return QMessageBox::Critical;
}

}  // namespace

void MessageBoxSink::Show(const Message& message)
{
    UserMessageBox::Show(parent_, QString::fromStdString(message.text), QString::fromStdString(message.caption),
                         BoxIcon(message.icon), QMessageBox::Ok);
}
