#pragma once

#include <QString>
#include <QStringList>

// Answers queued for one kind of question the editor asks (a file, a folder). A test
// queues the next answer, and the question is then answered without a dialog; under test
// a question nobody queued an answer for is cancelled, never left waiting.
class QueuedAnswers final {
public:
    // Counts the question; true when `answer` holds its answer (empty: cancelled), false
    // when the user is to be asked.
    bool Take(QString& answer);
    // The queued answer to this question, or what `ask` gets from the user.
    template <class Ask>
    QString TakeOr(Ask ask)
    {
        QString answer;
        return Take(answer) ? answer : ask();
    }
    // Queues the answer to a coming question (empty: cancelled).
    void Queue(const QString& answer) { next_.append(answer); }
    // How many questions were asked since the start.
    int asked() const { return asked_; }

private:
    QStringList next_;
    int asked_ = 0;
};
