#pragma once

#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QString>
#include <QStringList>

// Every message box of the editor goes through here, so that a test can answer it.
// Unattended (tests), no box is shown: each request is recorded and answered with the
// next queued answer, or else with its first button, so nothing can ever block.
class UserMessageBox final {
public:
    struct Record {
        QString text;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QStringList buttonTexts;  // those given to Show
    };
    using ButtonTexts = QList<QPair<QMessageBox::StandardButton, QString>>;

    // An empty caption shows the application's display name. buttonTexts names buttons in
    // words of the editor's own, whatever language Qt's translations would give them.
    static QMessageBox::StandardButton Show(QWidget* parent, const QString& text, const QString& caption,
                                            QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            const ButtonTexts& buttonTexts = {});

    static void SetUnattended(bool unattended);
    // Queues the answer to the next box; implies nothing about whether it is shown.
    static void SetNextAnswer(QMessageBox::StandardButton answer);
    // The boxes requested while unattended, oldest first; clears the record.
    static QList<Record> TakeShown();
};
