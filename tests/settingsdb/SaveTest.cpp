#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tests/settingsdb/DatabaseTest.h"

namespace {

// Values are bound, never pasted into a statement, so any text at all is stored as it is.
TEST_F(OpenedDatabase, EverythingChangedComesBackUnchangedWhateverCharactersItHolds)
{
    tarnekArrayStruct changed = ChangedEverywhere("'\"; --'); DROP TABLE \"Версия\"; -- \xF0\x9F\x98\x80 a\tb\r\nc");
    changed.xpLevelSaved.set(0, "");
    changed.devotionValue = "";
    ASSERT_TRUE(db.SaveWholeDatabase(changed));
    EXPECT_EQ(Load(), changed);
    EXPECT_EQ(db.SelectFirstValue("Версия", "Версия"), "3.0");

    // Every per-level table is rewritten whole, so a second save changes nothing.
    const TableDump once = Dump();
    ASSERT_TRUE(db.SaveDatabase(changed));
    EXPECT_EQ(Dump(), once);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(OpenedDatabase, NewLevelCountRewritesEveryTableWithItsRowCount)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.levelCountText = "13";
    RecomputeAllLists(model);
    ASSERT_TRUE(db.SaveDatabase(model));

    const TableDump dump = Dump();
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
    tarnekArrayStruct stored = changed;  // what the database gets: the chances normalised
    changed.evasionMaxChance = "";
    changed.fanMaxChance = "0";
    changed.impaleMaxChance = "5";
    changed.banishMaxChance = stored.banishMaxChance = "2.5";
    stored.evasionMaxChance = stored.fanMaxChance = "1.0";
    stored.impaleMaxChance = "5.0";

    tarnekArrayStruct expected = InitialConfiguration();
    for (Tier tier : {Tier::One, Tier::Two, Tier::Three, Tier::Four}) {
        ASSERT_TRUE(db.SaveTierDatabase(tier, changed));
        for (const ListDescriptor& list : ListsOfTier(tier))
            expected.*list.list = stored.*list.list;
        for (const ParameterDescriptor& parameter : Parameters())
            if (parameter.tier == tier)
                expected.*parameter.text = stored.*parameter.text;
        if (tier == Tier::Two)
            expected.devotionValue = stored.devotionValue;
        EXPECT_EQ(Load(), expected) << "after the save of tier " << static_cast<int>(tier);
    }
    ValueList devotion;
    db.SelectColumn("Скилы 2 уровня", "Аура преданности (Devotion Aura)", devotion);
    EXPECT_EQ(devotion, ValueList(std::vector<std::string>(3, changed.devotionValue)));
    EXPECT_TRUE(sink.messages.empty());
}

// Stored, such lists would be padded with empty cells that the plugin compiler rejects.
TEST_F(OpenedDatabase, ListsThatDisagreeWithTheLevelCountAreNeverStored)
{
    const TableDump before = Dump();
    tarnekArrayStruct longer = InitialConfiguration();
    longer.xpGivenShortTerm.append("5500");
    tarnekArrayStruct recounted = InitialConfiguration();
    recounted.levelCountText = "13";  // every list still holds the values of 10 levels
    tarnekArrayStruct shorter = InitialConfiguration();
    shorter.hexList = {"0.7"};

    const std::vector<std::pair<std::function<bool()>, std::string>> saves = {
        {[&] { return db.SaveDatabase(longer); },
         "(xpGivenShortTerm) содержит 12 значений, а при количестве уровней 10 их должно быть 11"},
        {[&] { return db.SaveWholeDatabase(recounted); },
         "(xpLevelShortTerm) содержит 11 значений, а при количестве уровней 13 их должно быть 14"},
        {[&] { return db.SaveTierDatabase(Tier::Two, shorter); }, "(hexList) содержит 1 значение,"},
    };
    for (const auto& [save, named] : saves) {
        sink.messages.clear();
        EXPECT_FALSE(save()) << named;
        ASSERT_EQ(sink.messages.size(), 1u) << named;
        EXPECT_NE(sink.messages[0].text.find(named), std::string::npos) << sink.messages[0].text;
        EXPECT_EQ(Dump(), before) << named;
    }
    // A skill tier is held to the count stored beside it, not to the one the model carries.
    sink.messages.clear();
    EXPECT_TRUE(db.SaveTierDatabase(Tier::One, recounted));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(OpenedDatabase, FailingStatementLeavesEveryTableAsItWas)
{
    ExecuteBehindTheBack("ALTER TABLE \"Скилы 3 уровня\" RENAME TO \"Скилы 3\"");
    const TableDump before = Dump();

    EXPECT_FALSE(db.SaveDatabase(ChangedEverywhere("~")));

    ExpectOneMessage("no such table: Скилы 3 уровня");
    EXPECT_EQ(Dump(), before);

    // The same for a skill dialog's save failing at its last statement.
    sink.messages.clear();
    ExecuteBehindTheBack("ALTER TABLE \"Максимальный шанс\" RENAME TO \"Шанс\"");
    const TableDump beforeTier = Dump();
    db.SaveTier(Tier::Four, ChangedEverywhere("~"));
    ExpectOneMessage("no such table: Максимальный шанс");
    EXPECT_EQ(Dump(), beforeTier);
}

TEST_F(OpenedDatabase, SecondEditorHoldingTheDatabaseGetsALockedMessageAndNoChange)
{
    const TableDump before = Dump();
    SQLite::Database other(folder.database(), SQLite::OPEN_READWRITE);
    other.exec("BEGIN EXCLUSIVE");
    EXPECT_FALSE(db.SaveDatabase(ChangedEverywhere("@")));
    ExpectOneMessage("database is locked");
    EXPECT_EQ(DatabaseErrorOf([&] { db.OpenDatabase(); }), "database is locked");
    other.exec("ROLLBACK");
    EXPECT_EQ(Dump(), before);
}

}  // namespace
