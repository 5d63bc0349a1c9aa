#pragma once

#include <string>

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include "model/Descriptors.h"
#include "model/NumberFormats.h"
#include "settingsdb/CarriedDatabase.h"
#include "settingsdb/vloxBuildTarnekStruct.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TestFolder.h"

inline std::string CarriedBytes()
{
    const auto bytes = CarriedDatabase();
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The initial configuration with every list entry, the Devotion Aura value and every
// parameter replaced by a text of its own; chances stay numbers that normalise to themselves.
inline tarnekArrayStruct ChangedEverywhere(const std::string& tag)
{
    tarnekArrayStruct model = InitialConfiguration();
    for (const ListDescriptor& list : ValueLists())
        for (std::size_t i = 0; i < (model.*list.list).size(); ++i)
            (model.*list.list)
                .set(i, std::string(list.field) + "[" + FormatInteger(static_cast<std::int32_t>(i)) + "]" + tag);
    model.devotionValue = "devotion" + tag;
    model.levelCountText = "10" + tag;  // still reads as the 10 levels the lists are long
    int chance = 2;
    for (const ParameterDescriptor& parameter : Parameters())
        model.*parameter.text =
            parameter.isChance() ? FormatInteger(chance++) + ".5" : std::string(parameter.field) + tag;
    return model;
}

// The message of the DatabaseError that `action` throws; empty when it throws none.
template <class Action>
std::string DatabaseErrorOf(Action&& action)
{
    try {
        action();
    } catch (const DatabaseError& e) {
        return e.what();
    }
    return {};
}

// A test folder with a database record reporting into `sink`, not opened yet.
class DatabaseTest : public ::testing::Test {
protected:
    DatabaseTest() { db.busyTimeoutMs = 50; }

    tarnekArrayStruct Load()
    {
        tarnekArrayStruct model;
        db.LoadAll(model);
        return model;
    }
    TableDump Dump() const { return DumpTables(folder.database()); }
    // SQL over a connection of its own, as another program would run it.
    void ExecuteBehindTheBack(const std::string& sql) const
    {
        SQLite::Database(folder.database(), SQLite::OPEN_READWRITE).exec(sql);
    }
    void ExpectOneMessage(const std::string& text, const std::string& caption = "TarnekChangeLevel",
                          MessageIcon icon = MessageIcon::Warning) const
    {
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, text);
        EXPECT_EQ(sink.messages[0].caption, caption);
        EXPECT_EQ(sink.messages[0].icon, icon);
    }

    TestFolder folder;
    RecordingSink sink;
    vloxBuildTarnekStruct db{sink};
};

class OpenedDatabase : public DatabaseTest {
protected:
    void SetUp() override { ASSERT_TRUE(db.OpenDatabase()); }
};
