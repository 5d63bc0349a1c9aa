#include "FolderDialog.h"

#include <QFileDialog>

QString FolderDialog::getExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir)
{
    ++asked_;
    if (!next_.isEmpty())
        return next_.takeFirst();
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
