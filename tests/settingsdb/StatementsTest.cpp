#include <string>

#include <gtest/gtest.h>

#include "Statements.h"

namespace {

const std::string T = "\t\t\t\t\t\t\t";

TEST(StatementTexts, InsertsKeepTheirTabLayoutWithPlaceholders)
{
    EXPECT_EQ(InsertRowText("XP за убийство", LayoutOf(Tier::Xp).Columns()),
              "INSERT INTO \"XP за убийство\" " + T + "(\"Уровень\"," + T + "\"Не сохраняемые XP (kq4_save_xp 0)\"," + T +
                  "\"Сохраняемые XP (kq4_save_xp 1)\"," + T + "\"Не сохраняемые XP за убийство (kq4_save_xp 0)\"," + T +
                  "\"Сохраняемые XP за убийство (kq4_save_xp 1)\")" + T + "VALUES (?,?,?,?,?);");
    EXPECT_EQ(InsertRowText("Скилы 4 уровня", LayoutOf(Tier::Four).Columns()),
              "INSERT INTO \"Скилы 4 уровня\"" + T + "(\"Уровень\"," + T + "\"Шипованная кожа (Resistant Skin)\"," + T +
                  "\"Неустойчивый концентрат (Unstable Concoction)\"," + T + "\"Закаленная кожа (Hardened Skin)\"," + T +
                  "\"Сфера уничтожения (Orb of Annihilation)\")" + T + "VALUES (?,?,?,?,?);");
}

TEST(StatementTexts, TierTwoRepeatsDevotionAuraInItsLastColumn)
{
    const auto columns = LayoutOf(Tier::Two).Columns();
    ASSERT_EQ(columns.size(), 9U);
    EXPECT_EQ(columns.front(), "Скилл");
    EXPECT_EQ(columns.back(), "Аура преданности (Devotion Aura)");
}

TEST(StatementTexts, NamesAreQuotedAndValuesNeverPasted)
{
    EXPECT_EQ(UpdateValueText("Приращение", "Удар (Bash)"), "UPDATE \"Приращение\" SET \"Удар (Bash)\" = ?;");
    EXPECT_EQ(DeleteAllRowsText("Скилы 1 уровня"), "DELETE FROM \"Скилы 1 уровня\";");
    EXPECT_EQ(QuoteName("a\"b"), "\"a\"\"b\"");
}

} // namespace
