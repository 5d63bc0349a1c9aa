#include "app/LevelCombo.h"

#include <QComboBox>

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

// The item data of the extra item: the stored text it stands for.
constexpr int kStoredCountRole = Qt::UserRole;

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

void ShowLevelCount(QComboBox* combo, const QString& levelCountText)
{
    const QStringList items = LevelCountItems();
    while (combo->count() > items.size())
        combo->removeItem(combo->count() - 1);
    int index = LevelCountIndex(items, levelCountText);
    if (index < 0 && !levelCountText.isEmpty()) {
        index = combo->count();
        combo->addItem(QStringLiteral("%1 (из базы)").arg(levelCountText), levelCountText);
        combo->setItemData(index,
                           QStringLiteral("Количество уровней, сохранённое в базе. Редактор его не предлагает: "
                                          "«Создать уровни» создаёт от %1 до %2 уровней.")
                               .arg(kFewestLevels)
                               .arg(kMostLevels),
                           Qt::ToolTipRole);
    }
    combo->setCurrentIndex(index);
}

QString ChosenLevelCountText(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (index < 0)
        return {};
    const QVariant stored = combo->itemData(index, kStoredCountRole);
    return stored.isValid() ? stored.toString() : combo->itemText(index);
}
