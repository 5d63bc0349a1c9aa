#pragma once

#include <QString>

#include "app/QueuedAnswers.h"

class QWidget;

// The folder question of the editor. A test queues the next answer, and the question is
// then answered without a dialog, so nothing can block.
class FolderDialog final {
public:
    // The chosen folder, or an empty text when the user cancelled.
    QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir);

    // Queues the answer to a coming question (empty: cancelled).
    void setNextDirectory(const QString& dir) { answers_.Queue(dir); }
    // How many questions were asked since the start.
    int asked() const { return answers_.asked(); }

private:
    QueuedAnswers answers_;
};

FolderDialog* folderDialog();
