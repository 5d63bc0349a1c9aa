#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <SQLiteCpp/Database.h>

#include "Descriptors.h"
#include "InitialConfiguration.h"
#include "NumberFormats.h"
#include "SettingsFolder.h"
#include "xpBaseStruct.h"

namespace fs = std::filesystem;

namespace {

TEST_F(OpenedDatabase, EverythingChangedComesBackUnchanged)
{
    const tarnekArrayStruct changed = ChangedEverywhere("#");
    ASSERT_TRUE(db.SaveWholeDatabase(changed));
    EXPECT_EQ(Load(), changed);

    // Every per-level table is rewritten whole, so a second save changes nothing.
    const TableDump once = DumpTables(folder.DatabaseFile());
    ASSERT_TRUE(db.SaveDatabase(changed));
    EXPECT_EQ(DumpTables(folder.DatabaseFile()), once);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(OpenedDatabase, NewLevelCountRewritesEveryTableWithItsRowCount)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.levelCountText = "13";
    RecomputeAllLists(model);
    ASSERT_TRUE(db.SaveDatabase(model));

    const TableDump dump = DumpTables(folder.DatabaseFile());
    for (const LevelTableDescriptor& table : LevelTables()) {
        const auto& rows = dump.at(std::string(table.table));
        const bool perSkillLevel = table.tier == Tier::One || table.tier == Tier::Two || table.tier == Tier::Three;
        ASSERT_EQ(rows.size(), perSkillLevel ? 4u : 14u) << table.table;
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i][0], FormatInteger(static_cast<std::int32_t>(i)));
    }
    EXPECT_EQ(db.SelectFirstValue("Количество уровней", "Количество уровней"), "13");

    tarnekArrayStruct loaded = Load();
    loaded.DeriveLevelCounts();
    EXPECT_EQ(loaded, model);
}

TEST_F(OpenedDatabase, EachSkillTierSaveWritesOnlyItsOwnTierWithChancesNormalised)
{
    tarnekArrayStruct changed = ChangedEverywhere("!");
    changed.evasionMaxChance = "";
    changed.fanMaxChance = "0";
    changed.impaleMaxChance = "5";
    changed.banishMaxChance = "2.5";

    tarnekArrayStruct expected = InitialConfiguration();
    for (Tier tier : {Tier::One, Tier::Two, Tier::Three, Tier::Four}) {
        ASSERT_TRUE(db.SaveTierDatabase(tier, changed));
        for (const ListDescriptor& list : ValueLists())
            if (list.tier == tier)
                expected.*(list.list) = changed.*(list.list);
        // The model keeps the typed chance texts; the database gets them normalised.
        for (const ParameterDescriptor& parameter : Parameters()) {
            const std::string& text = changed.*(parameter.text);
            if (parameter.tier == tier)
                expected.*(parameter.text) = parameter.isChance() ? tarnekArrayStruct::NormalizeChanceText(text) : text;
        }
        if (tier == Tier::Two)
            expected.devotionValue = changed.devotionValue;
        EXPECT_EQ(Load(), expected) << "after the save of tier " << static_cast<int>(tier);
    }
    EXPECT_EQ(db.SelectFirstValue("Максимальный шанс", "Уклонение (Evasion)"), "1.0");
    EXPECT_EQ(db.SelectFirstValue("Максимальный шанс", "Веселье клинков (Fan of Knives)"), "1.0");
    EXPECT_EQ(db.SelectFirstValue("Максимальный шанс", "Запутывание (Impale)"), "5.0");
    EXPECT_EQ(db.SelectFirstValue("Максимальный шанс", "Изгнание (Banish)"), "2.5");
    EXPECT_EQ(Column("Скилы 2 уровня", "Аура преданности (Devotion Aura)"),
              ValueList(std::vector<std::string>(3, changed.devotionValue)));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(OpenedDatabase, ValuesAreStoredExactlyWhateverCharactersTheyHold)
{
    const std::vector<std::string> awkward = {
        "'", "\"", ";", "--", "'); DROP TABLE \"Версия\"; --", "Кириллица", "\xF0\x9F\x98\x80", "", "a\tb\r\nc"};
    tarnekArrayStruct model = InitialConfiguration();
    std::size_t next = 0;
    for (const ListDescriptor& list : ValueLists()) {
        ValueList& texts = model.*(list.list);
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts.set(i, awkward[next++ % awkward.size()]);
    }
    for (const ParameterDescriptor& parameter : Parameters())
        if (!parameter.isChance())
            model.*(parameter.text) = awkward[next++ % awkward.size()];
    model.devotionValue = "'";
    model.levelCountText = "\"";

    ASSERT_TRUE(db.SaveWholeDatabase(model));
    EXPECT_EQ(Load(), model);
    EXPECT_EQ(db.SelectFirstValue("Версия", "Версия"), "3.0");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(OpenedDatabase, ListsOfUnequalLengthLoseNothing)
{
    tarnekArrayStruct model = InitialConfiguration();
    for (const char* extra : {"5500", "6000", "6500"})
        model.xpLevelShortTerm.append(extra);  // longer than the other three XP lists
    model.vampiricList = {"0.7"};              // shorter than the other tier-1 lists
    ASSERT_TRUE(db.SaveDatabase(model));

    tarnekArrayStruct expected = model;
    for (ValueList* list : {&expected.xpLevelSaved, &expected.xpGivenShortTerm, &expected.xpGivenSaved})
        for (int i = 0; i < 3; ++i)
            list->append("");
    expected.vampiricList = {"0.7", "", ""};
    EXPECT_EQ(Load(), expected);
}

TEST_F(OpenedDatabase, FailingStatementLeavesEveryTableAsItWas)
{
    ExecuteBehindTheBack(folder.DatabaseFile(), "ALTER TABLE \"Скилы 3 уровня\" RENAME TO \"Скилы 3\"");
    const TableDump before = DumpTables(folder.DatabaseFile());
    fs::create_directory("tarnek");
    xpBaseStruct writer;

    db.SaveAll(ChangedEverywhere("~"), writer);

    ExpectOneWarning("no such table: Скилы 3 уровня");
    EXPECT_EQ(DumpTables(folder.DatabaseFile()), before);
    // The plugin sources are written all the same.
    EXPECT_TRUE(fs::exists("tarnek/base.h"));
    EXPECT_TRUE(fs::exists("tarnek/skills.inl"));

    // The same for a skill dialog's save failing at its last statement.
    sink.messages.clear();
    ExecuteBehindTheBack(folder.DatabaseFile(), "ALTER TABLE \"Максимальный шанс\" RENAME TO \"Шанс\"");
    const TableDump beforeTier = DumpTables(folder.DatabaseFile());
    db.SaveTier(Tier::Four, ChangedEverywhere("~"));
    ExpectOneWarning("no such table: Максимальный шанс");
    EXPECT_EQ(DumpTables(folder.DatabaseFile()), beforeTier);
}

TEST_F(OpenedDatabase, SecondEditorHoldingTheDatabaseGetsALockedMessageAndNoChange)
{
    const TableDump before = DumpTables(folder.DatabaseFile());
    SQLite::Database other(folder.DatabaseFile(), SQLite::OPEN_READWRITE);
    other.exec("BEGIN IMMEDIATE");
    EXPECT_FALSE(db.SaveDatabase(ChangedEverywhere("@")));
    ExpectOneWarning("database is locked");
    other.exec("ROLLBACK");
    EXPECT_EQ(DumpTables(folder.DatabaseFile()), before);
}

}  // namespace
