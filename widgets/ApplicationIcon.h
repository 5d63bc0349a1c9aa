#pragma once

#include <QIcon>

// The editor's window icon, at 16x16 and 32x32.
QIcon ApplicationIcon();
