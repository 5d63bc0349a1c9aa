#include "widgets/UserMessageBox.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QQueue>

namespace {

struct TestState {
    bool unattended = false;
    QQueue<QMessageBox::StandardButton> answers;
    QList<UserMessageBox::Record> shown;
};

TestState& State()
{
    static TestState state;
    return state;
}

QMessageBox::StandardButton FirstButton(QMessageBox::StandardButtons buttons)
{
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
        if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit)))
            return static_cast<QMessageBox::StandardButton>(bit);
    }
    return QMessageBox::NoButton;
}

}  // namespace

QMessageBox::StandardButton UserMessageBox::Show(QWidget* parent, const QString& text, const QString& caption,
                                                 QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                                 const ButtonTexts& buttonTexts)
{
    const QString title = caption.isEmpty() ? QGuiApplication::applicationDisplayName() : caption;
    TestState& state = State();
    if (state.unattended) {
        QStringList texts;
        for (const auto& [button, buttonText] : buttonTexts)
            texts.append(buttonText);
        state.shown.append({text, title, icon, buttons, texts});
        return state.answers.isEmpty() ? FirstButton(buttons) : state.answers.dequeue();
    }
    if (!state.answers.isEmpty())
        return state.answers.dequeue();

    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(FirstButton(buttons));
    for (const auto& [button, buttonText] : buttonTexts)
        if (QAbstractButton* b = box.button(button))
            b->setText(buttonText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void UserMessageBox::SetUnattended(bool unattended)
{
    State().unattended = unattended;
    if (!unattended) {
        State().answers.clear();
        State().shown.clear();
    }
}

void UserMessageBox::SetNextAnswer(QMessageBox::StandardButton answer)
{
    State().answers.enqueue(answer);
}

QList<UserMessageBox::Record> UserMessageBox::TakeShown()
{
    return std::exchange(State().shown, {});
}
