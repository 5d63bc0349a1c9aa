#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "InitialConfiguration.h"
#include "SettingsFolder.h"
#include "vloxBuildTarnekStruct.h"

namespace fs = std::filesystem;

namespace {

TEST(LoadAll, CarriedDatabaseGivesTheInitialConfiguration)
{
    SettingsFolder folder;
    RecordingSink sink;
    vloxBuildTarnekStruct db(sink);
    ASSERT_TRUE(db.OpenDatabase());
    tarnekArrayStruct model;
    db.LoadAll(model);
    EXPECT_EQ(model, InitialConfiguration());
    EXPECT_EQ(model.xpLevelSaved.size(), 11u);
    EXPECT_EQ(model.vampiricList.size(), 3u);
    EXPECT_EQ(model.orbList.size(), 11u);
    EXPECT_EQ(model.levelCountText, "10");
    EXPECT_EQ(model.devotionValue, "15");
    EXPECT_TRUE(db.OutdatedBackupPath().empty());
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_TRUE(ReadBytes(folder.DatabaseFile()) == CarriedBytes());  // reading changes nothing
}

// The values the editor never reads or writes, as the carried database holds them.
struct UnusedValue {
    const char* table;
    const char* column;
    const char* value;
};
constexpr UnusedValue kUnusedValues[] = {
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

void ExpectUnusedValuesIntact(vloxBuildTarnekStruct& db)
{
    for (const UnusedValue& unused : kUnusedValues)
        EXPECT_EQ(db.SelectFirstValue(unused.table, unused.column), unused.value) << unused.table << "." << unused.column;
}

TEST(LoadAll, CarriedDatabaseKeepsTheTablesTheEditorDoesNotUse)
{
    SettingsFolder folder;
    RecordingSink sink;
    vloxBuildTarnekStruct db(sink);
    ASSERT_TRUE(db.OpenDatabase());
    ExpectUnusedValuesIntact(db);

    // ... and every save leaves them as they are.
    const tarnekArrayStruct changed = ChangedEverywhere("*");
    ASSERT_TRUE(db.SaveDatabase(changed));
    for (Tier tier : {Tier::One, Tier::Two, Tier::Three, Tier::Four})
        ASSERT_TRUE(db.SaveTierDatabase(tier, changed));
    ExpectUnusedValuesIntact(db);
}

TEST(LoadAll, RowsComeInStoredOrderWhateverIndexExists)
{
    SettingsFolder folder;
    RecordingSink sink;
    vloxBuildTarnekStruct db(sink);
    ASSERT_TRUE(db.OpenDatabase());
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
    tarnekArrayStruct model;
    db.LoadAll(model);
    EXPECT_EQ(model.xpLevelSaved, InitialConfiguration().xpLevelSaved);
}

class OutdatedVersion : public ::testing::TestWithParam<const char*> {};

TEST_P(OutdatedVersion, IsReplacedByTheCarriedCopyAndKeptAsBackup)
{
    SettingsFolder folder;
    RecordingSink sink;
    vloxBuildTarnekStruct db(sink);
    ASSERT_TRUE(db.OpenDatabase());
    ASSERT_TRUE(db.UpdateValue("Версия", "Версия", GetParam()));
    ASSERT_TRUE(db.UpdateValue("Количество уровней", "Количество уровней", "40"));
    db.CloseDatabase();
    const std::string outdated = ReadBytes(folder.DatabaseFile());
    // An earlier backup is never overwritten.
    const fs::path earlier = folder.path() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.backup-1.mdb";
    WriteBytes(earlier, "earlier backup");

    ASSERT_TRUE(db.OpenDatabase());
    tarnekArrayStruct model;
    db.LoadAll(model);

    EXPECT_EQ(model, InitialConfiguration());
    EXPECT_TRUE(ReadBytes(folder.DatabaseFile()) == CarriedBytes());
    EXPECT_EQ(db.OutdatedBackupPath(), earlier.parent_path() / "TarnekChangeLevel.backup-2.mdb");
    EXPECT_TRUE(ReadBytes(db.OutdatedBackupPath()) == outdated);
    EXPECT_EQ(ReadBytes(earlier), "earlier backup");
    EXPECT_TRUE(sink.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, OutdatedVersion, ::testing::Values("2.0", "3.0 ", ""));

TEST(LoadAll, FailedReadLeavesTheModelAsItWas)
{
    SettingsFolder folder;
    RecordingSink sink;
    vloxBuildTarnekStruct db(sink);
    ASSERT_TRUE(db.OpenDatabase());
    ExecuteBehindTheBack(folder.DatabaseFile(), "DELETE FROM \"Множитель\"");
    tarnekArrayStruct model = ChangedEverywhere("?");
    const tarnekArrayStruct before = model;
    EXPECT_THROW(db.LoadAll(model), DatabaseError);
    EXPECT_EQ(model, before);
}

}  // namespace
