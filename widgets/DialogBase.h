#pragma once

#include <QDialog>

// Base of every dialog of the editor. Enter and Escape reach the focused control and stop
// there: they never press a default button and never close the dialog. Closing is left to
// the dialog's own buttons and the window's close box.
class DialogBase : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DialogBase)

public:
    explicit DialogBase(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A focused auto-default button would click itself on Enter; no button stays one.
    void showEvent(QShowEvent* event) override;
};
