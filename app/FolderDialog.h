#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The folder question of the editor. A test queues the next answer, and the question is
// then answered without a dialog, so nothing can block.
class FolderDialog final {
public:
    // The chosen folder, or an empty text when the user cancelled.
    QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir);

    // Queues the answer to a coming question (empty: cancelled); a queued answer is given
    // without showing a dialog.
    void setNextDirectory(const QString& dir);
    // How many questions were asked since the start.
    int asked() const { return asked_; }

private:
    QStringList next_;
    int asked_ = 0;
};

FolderDialog* folderDialog();
