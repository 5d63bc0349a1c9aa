#include "app/FileDialog.h"

#include <QFileDialog>

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                    const QString& filter)
{
    return answers_.TakeOr([&] { return QFileDialog::getOpenFileName(parent, caption, startDir, filter); });
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& startPath,
                                    const QString& filter)
{
    return answers_.TakeOr([&] { return QFileDialog::getSaveFileName(parent, caption, startPath, filter); });
}

FileDialog* fileDialog()
{
    static FileDialog instance;
    return &instance;
}
