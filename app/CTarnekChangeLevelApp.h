#pragma once

#include <QApplication>
#include <QTranslator>

// The editor as a process: one application object that runs the main window modally and
// ends when it closes.
class CTarnekChangeLevelApp final : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTarnekChangeLevelApp)

public:
    CTarnekChangeLevelApp(int& argc, char** argv);

    // Runs the main window; returns the process's exit code.
    int InitInstance();

private:
    QTranslator qtTranslator_;
};

// What every Qt front end of the editor does right after its application object exists:
// numbers stay in the C locale, Qt's own texts read in Russian.
void PrepareApplication(QApplication& app, QTranslator& qtTranslator);
