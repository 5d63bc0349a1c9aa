#include "widgets/DialogBase.h"

#include <QKeyEvent>
#include <QPushButton>

DialogBase::DialogBase(QWidget* parent) : QDialog(parent) {}

void DialogBase::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void DialogBase::showEvent(QShowEvent* event)
{
    const auto buttons = findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    QDialog::showEvent(event);
}
