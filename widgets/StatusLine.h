#pragma once

#include <QList>
#include <QString>

class QLabel;

// How a status line says a thing: success and information in the ordinary text colour,
// what the user should act on in red, as the status lines of desktop programs do.
enum class StatusTone { Information, Warning };

struct StatusPart {
    QString text;
    StatusTone tone = StatusTone::Information;
};

// The parts one after another, each in its tone; the label shows nothing else.
void ShowStatus(QLabel* line, const QList<StatusPart>& parts);
void ShowStatus(QLabel* line, const QString& text, StatusTone tone);
