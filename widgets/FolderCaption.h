#pragma once

#include <QString>

class QWidget;

// Two windows on two plugin folders look alike; the caption names the folder after the
// title ("Title — ~/server/cstrike/addons/amxmodx/scripting", the home folder as "~"), and
// the window's file path is set to it, as Qt's windowFilePath convention has it.
void SetFolderCaption(QWidget& window, const QString& title, const QString& folder);

// How the caption writes a folder: native separators, the home folder as "~".
QString ShownFolder(const QString& folder);
