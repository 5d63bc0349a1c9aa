#include "widgets/DigitsOnlyFilter.h"

#include <QKeyEvent>

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!shortcut) {
            for (const QChar c : key->text()) {
                if (c.isPrint() && !(c >= u'0' && c <= u'9')) {
                    emit refused();
                    return true;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
