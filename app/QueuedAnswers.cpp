#include "app/QueuedAnswers.h"

#include <QStandardPaths>

bool QueuedAnswers::Take(QString& answer)
{
    ++asked_;
    if (!next_.isEmpty()) {
        answer = next_.takeFirst();
        return true;
    }
    answer.clear();
    return QStandardPaths::isTestModeEnabled();
}
