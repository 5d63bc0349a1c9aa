#include "widgets/FolderCaption.h"

#include <QDir>
#include <QWidget>

QString ShownFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    const QString home = QDir::cleanPath(QDir::homePath());
    const Qt::CaseSensitivity sense =
#ifdef _WIN32
        Qt::CaseInsensitive;
#else
        Qt::CaseSensitive;
#endif
    QString shown = clean;
    if (clean.compare(home, sense) == 0)
        shown = QStringLiteral("~");
    else if (clean.startsWith(home + QLatin1Char('/'), sense))
        shown = QStringLiteral("~") + clean.mid(home.size());
    return QDir::toNativeSeparators(shown);
}

void SetFolderCaption(QWidget& window, const QString& title, const QString& folder)
{
    window.setWindowFilePath(folder);
    window.setWindowTitle(QStringLiteral("%1 — %2").arg(title, ShownFolder(folder)));
}
