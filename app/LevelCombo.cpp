#include "app/LevelCombo.h"

#include "model/LevelCounts.h"

namespace {

// The first item after `after`, wrapping round to it, whose text begins with prefix.
int FindPrefix(const QStringList& items, const QString& prefix, int after)
{
    const int n = static_cast<int>(items.size());
    for (int step = 1; step <= n; ++step) {
        const int i = (after + step) % n;
        if (items[i].startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

}  // namespace

QStringList LevelCountItems()
{
    QStringList items;
    for (int levels = kFewestLevels; levels <= kMostLevels; levels += kLevelStep)
        items.append(QString::number(levels));
    return items;
}

int LevelCountIndex(const QStringList& items, const QString& levelCountText)
{
    if (items.isEmpty())
        return -1;
    const int k = FindPrefix(items, levelCountText, 0);
    if (k < 0)
        return -1;
    return FindPrefix(items, levelCountText, k);
}
