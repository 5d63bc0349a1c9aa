#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file questions of the editor (which file to import, where to export). A test queues
// the next answer, and the question is then answered without a dialog, so nothing can block.
class FileDialog final {
public:
    // The chosen file, or an empty text when the user cancelled.
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& startDir, const QString& filter);
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& startPath, const QString& filter);

    // Queues the answer to a coming question (empty: cancelled).
    void setNextFileName(const QString& file);
    int asked() const { return asked_; }

private:
    // The queued answer; under test an unqueued question is cancelled, never left waiting.
    bool answerWithoutDialog(QString& answer);

    QStringList next_;
    int asked_ = 0;
};

FileDialog* fileDialog();
