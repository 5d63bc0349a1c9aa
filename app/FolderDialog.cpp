#include "FolderDialog.h"

#include <QFileDialog>
#include <QStandardPaths>

QString FolderDialog::getExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir)
{
    ++asked_;
    if (!next_.isEmpty())
        return next_.takeFirst();
    // Under test a question nobody queued an answer for is cancelled, never left waiting.
    if (QStandardPaths::isTestModeEnabled())
        return {};
    return QFileDialog::getExistingDirectory(parent, caption, startDir);
}

void FolderDialog::setNextDirectory(const QString& dir)
{
    next_.append(dir);
}

FolderDialog* folderDialog()
{
    static FolderDialog instance;
    return &instance;
}
