#include "app/FolderDialog.h"

#include <QFileDialog>

QString FolderDialog::getExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir)
{
    return answers_.TakeOr([&] { return QFileDialog::getExistingDirectory(parent, caption, startDir); });
}

FolderDialog* folderDialog()
{
    static FolderDialog instance;
    return &instance;
}
