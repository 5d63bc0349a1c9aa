#pragma once

#include <QObject>

// Refuses typed characters other than digits, as a number-only edit box does. Only typing
// is filtered: a stored text is shown as it is, and can still be corrected by hand.
class DigitsOnlyFilter final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DigitsOnlyFilter)

public:
    using QObject::QObject;

signals:
    // A typed character was not a digit: the window says why it did not appear.
    void refused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
