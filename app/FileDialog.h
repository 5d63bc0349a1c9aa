#pragma once

#include <QString>

#include "app/QueuedAnswers.h"

class QWidget;

// The file questions of the editor (which file to import, where to export). A test queues
// the next answer, and the question is then answered without a dialog, so nothing can block.
class FileDialog final {
public:
    // The chosen file, or an empty text when the user cancelled.
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& startDir, const QString& filter);
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& startPath, const QString& filter);

    // Queues the answer to a coming question (empty: cancelled).
    void setNextFileName(const QString& file) { answers_.Queue(file); }
    int asked() const { return answers_.asked(); }

private:
    QueuedAnswers answers_;
};

FileDialog* fileDialog();
