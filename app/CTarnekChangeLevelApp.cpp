#include "app/CTarnekChangeLevelApp.h"

#include <clocale>

#include <QLibraryInfo>

#include "app/CTarnekChangeLevelDlg.h"
#include "app/PluginFolderChoice.h"
#include "widgets/ApplicationIcon.h"

void PrepareApplication(QApplication& app, QTranslator& qtTranslator)
{
    // QApplication has set the whole C locale from the environment; under a Russian one the
    // C library would write and read "0,5". Numbers are never locale-dependent here.
    std::setlocale(LC_NUMERIC, "C");

    if (qtTranslator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);
    // Names the QSettings file: ~/.config/Tarnek/TarnekChangeLevel.conf on Linux.
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnek"));
    // Also the caption of boxes that have none of their own. No display name is set: Qt
    // would append it to every window caption, and the captions are the program's own texts.
    QCoreApplication::setApplicationName(QStringLiteral("TarnekChangeLevel"));
    app.setWindowIcon(ApplicationIcon());
}

CTarnekChangeLevelApp::CTarnekChangeLevelApp(int& argc, char** argv) : QApplication(argc, argv)
{
    PrepareApplication(*this, qtTranslator_);
}

int CTarnekChangeLevelApp::InitInstance()
{
    EnterPluginFolder();
    CTarnekChangeLevelDlg dialog;
    dialog.exec();
    return 0;
}
