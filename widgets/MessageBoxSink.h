#pragma once

#include <QPointer>
#include <QWidget>

#include "model/MessageSink.h"

// Shows the core's messages as message boxes over a parent window.
class MessageBoxSink final : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(const Message& message) override;

private:
    QPointer<QWidget> parent_;
};
