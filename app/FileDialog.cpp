#include "FileDialog.h"

#include <QFileDialog>
#include <QStandardPaths>

bool FileDialog::answerWithoutDialog(QString& answer)
{
    ++asked_;
    if (!next_.isEmpty()) {
        answer = next_.takeFirst();
        return true;
    }
    answer.clear();
    return QStandardPaths::isTestModeEnabled();
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                    const QString& filter)
{
    QString answer;
    if (answerWithoutDialog(answer))
        return answer;
    return QFileDialog::getOpenFileName(parent, caption, startDir, filter);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& startPath,
                                    const QString& filter)
{
    QString answer;
    if (answerWithoutDialog(answer))
        return answer;
    return QFileDialog::getSaveFileName(parent, caption, startPath, filter);
}

void FileDialog::setNextFileName(const QString& file)
{
    next_.append(file);
}

FileDialog* fileDialog()
{
    static FileDialog instance;
    return &instance;
}
