#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "InitialConfiguration.h"
#include "SettingsFolder.h"

namespace fs = std::filesystem;

namespace {

TEST_F(OpenedDatabase, CarriedDatabaseLoadsAsTheInitialConfiguration)
{
    const tarnekArrayStruct model = Load();
    EXPECT_EQ(model, InitialConfiguration());
    EXPECT_EQ(model.xpLevelSaved.size(), 11u);
    EXPECT_EQ(model.vampiricList.size(), 3u);
    EXPECT_EQ(model.orbList.size(), 11u);
    EXPECT_TRUE(db.OutdatedBackupPath().empty());
    EXPECT_TRUE(ReadBytes(folder.DatabaseFile()) == CarriedBytes());  // reading changes nothing
}

// Values the editor never reads or writes, as the carried database holds them.
constexpr const char* kUnusedValues[][3] = {
    {"Версия", "Код", "1"},
    {"Версия", "Окно", "1"},
    {"Количество уровней", "Код", "1"},
    {"Множитель", "Не сохраняемые XP (kq4_save_xp 0)", "1"},
    {"Множитель", "Не сохраняемые XP за убийство (kq4_save_xp 0)", "1"},
    {"Множитель", "Сохраняемые XP за убийство (kq4_save_xp 1)", "1"},
    {"Максимальный шанс", "Феникс (Phoenix)", "1.0"},
    {"Максимальный шанс", "Волна жизни (Healing Wave)", "1.0"},
    {"Максимальный шанс", "Потеря концентрации (Blink)", "1.0"},
    {"Максимальный шанс", "Восстановление оружия (Equipment Reincarnation)", "1.0"},
    {"Максимальный шанс", "Закаленная кожа (Hardened Skin)", "1.0"},
    {"Значения расы Шпион", "Шанс", "60"},
    {"Значения расы Шпион", "Шанс-Скрытый удар", "180"},
    {"Значения расы Лорд Мертвых", "Шанс", "180"},
    {"Значения расы Эльф", "Шанс-Уклонение", "60"},
};

TEST_F(OpenedDatabase, ValuesTheEditorDoesNotUseAreCarriedAndNeverTouched)
{
    const tarnekArrayStruct changed = ChangedEverywhere("*");
    ASSERT_TRUE(db.SaveDatabase(changed));
    for (Tier tier : {Tier::One, Tier::Two, Tier::Three, Tier::Four})
        ASSERT_TRUE(db.SaveTierDatabase(tier, changed));
    for (const auto& [table, column, value] : kUnusedValues)
        EXPECT_EQ(db.SelectFirstValue(table, column), value) << table << "." << column;
}

TEST_F(OpenedDatabase, RowsComeInStoredOrderWhateverIndexExists)
{
    const std::string table = "\"XP за убийство\"";
    const std::string column = "\"Сохраняемые XP (kq4_save_xp 1)\"";
    ExecuteBehindTheBack(folder.DatabaseFile(), "CREATE INDEX sorted ON " + table + " (" + column + ")");
    {
        // Without an ORDER BY the engine reads this column through the index, in text order.
        SQLite::Database other(folder.DatabaseFile());
        SQLite::Statement plain(other, "SELECT " + column + " FROM " + table);
        ASSERT_TRUE(plain.executeStep());
        ASSERT_NE(plain.getColumn(0).getString(), "400");
    }
    EXPECT_EQ(Load().xpLevelSaved, InitialConfiguration().xpLevelSaved);
}

class OutdatedVersion : public OpenedDatabase, public ::testing::WithParamInterface<const char*> {};

TEST_P(OutdatedVersion, IsReplacedByTheCarriedCopyAndKeptAsBackup)
{
    ASSERT_TRUE(db.UpdateValue("Версия", "Версия", GetParam()));
    ASSERT_TRUE(db.UpdateValue("Количество уровней", "Количество уровней", "40"));
    db.CloseDatabase();
    const std::string outdated = ReadBytes(folder.DatabaseFile());
    const fs::path earlier = folder.path() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.backup-1.mdb";
    WriteBytes(earlier, "earlier backup");

    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_EQ(Load(), InitialConfiguration());
    EXPECT_TRUE(ReadBytes(folder.DatabaseFile()) == CarriedBytes());
    EXPECT_EQ(db.OutdatedBackupPath(), earlier.parent_path() / "TarnekChangeLevel.backup-2.mdb");
    EXPECT_TRUE(ReadBytes(db.OutdatedBackupPath()) == outdated);
    EXPECT_EQ(ReadBytes(earlier), "earlier backup");
    EXPECT_TRUE(sink.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, OutdatedVersion, ::testing::Values("2.0", "3.0 ", ""));

TEST_F(OpenedDatabase, FailedReadLeavesTheModelAsItWas)
{
    ExecuteBehindTheBack(folder.DatabaseFile(), "DELETE FROM \"Множитель\"");
    tarnekArrayStruct model = ChangedEverywhere("?");
    const tarnekArrayStruct before = model;
    EXPECT_NE(DatabaseErrorOf([&] { db.LoadAll(model); }), "");
    EXPECT_EQ(model, before);
}

}  // namespace
