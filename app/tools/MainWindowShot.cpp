// Saves a picture of the main window as the editor shows it in the current directory.
// Usage: tarnek-main-window-shot FILE.png
#include <cstdio>

#include <QTimer>

#include "app/CTarnekChangeLevelApp.h"
#include "app/CTarnekChangeLevelDlg.h"

int main(int argc, char** argv)
{
    CTarnekChangeLevelApp app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tarnek-main-window-shot FILE.png\n", stderr);
        return 2;
    }
    CTarnekChangeLevelDlg dialog;
    dialog.show();
    int result = 1;
    QTimer::singleShot(200, &dialog, [&dialog, &result, file = QString::fromLocal8Bit(argv[1])] {
        result = dialog.grab().save(file) ? 0 : 1;
        dialog.reject();
    });
    dialog.exec();
    return result;
}
