#pragma once

#include <QString>

class QWidget;

// Where the editor works. Everything it reads and writes lies relative to the current
// directory, as in a plugin tree; started elsewhere (from a desktop menu, in the home
// folder) it asks once for the plugin folder, remembers it, and moves there.

enum class PluginFolderOutcome {
    AlreadyThere,  // the current directory holds tarnek/: nothing asked, nothing changed
    Remembered,    // moved to the folder chosen at an earlier start
    Chosen,        // asked, moved there, remembered
    NotChosen,     // asked and cancelled: works in the current directory as it is
};

// Whether the folder holds the plugin's tarnek/ source folder.
bool HoldsPluginTree(const QString& folder);

// Makes the plugin folder the current directory where it can; see PluginFolderOutcome.
// A chosen folder without tarnek/ is explained and the question asked again.
PluginFolderOutcome EnterPluginFolder(QWidget* parent = nullptr);

// The QSettings key of the remembered folder.
inline const QString kPluginFolderKey = QStringLiteral("pluginFolder");
