#include "app/PluginFolderChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "app/FolderDialog.h"
#include "widgets/UserMessageBox.h"

bool HoldsPluginTree(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(QStringLiteral("tarnek"))).isDir();
}

PluginFolderOutcome EnterPluginFolder(QWidget* parent)
{
    if (HoldsPluginTree(QDir::currentPath()))
        return PluginFolderOutcome::AlreadyThere;

    QSettings settings;
    const QString remembered = settings.value(kPluginFolderKey).toString();
    if (HoldsPluginTree(remembered) && QDir::setCurrent(remembered))
        return PluginFolderOutcome::Remembered;

    QString start = HoldsPluginTree(remembered) || remembered.isEmpty() ? QDir::homePath() : remembered;
    for (;;) {
        const QString chosen = folderDialog()->getExistingDirectory(
            parent, QStringLiteral("Папка плагина VLOX Tarnek MOD (в ней папка tarnek и компилятор)"), start);
        if (chosen.isEmpty())
            return PluginFolderOutcome::NotChosen;
        if (HoldsPluginTree(chosen) && QDir::setCurrent(chosen)) {
            settings.setValue(kPluginFolderKey, QDir(chosen).absolutePath());
            return PluginFolderOutcome::Chosen;
        }
        UserMessageBox::Show(parent,
                             QStringLiteral("В папке «%1» нет папки tarnek.\nВыберите папку плагина: ту, в которой "
                                            "лежат папка tarnek и компилятор плагина.")
                                 .arg(QDir::toNativeSeparators(chosen)),
                             QStringLiteral("Папка плагина"), QMessageBox::Warning, QMessageBox::Ok);
        start = chosen;
    }
}
