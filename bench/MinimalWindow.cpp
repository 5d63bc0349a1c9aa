// The yardstick for the editor's start-up: the least a Qt Widgets program does to put a
// window on the screen. bench/window-startup.sh times both to their first painted frame.
#include <QApplication>
#include <QWidget>

#include "app/ExitWhenShown.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ExitWhenShownIfAsked(app);
    QWidget window;
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
