#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MessageSink.h"
#include "tarnekArrayStruct.h"
#include "vloxBuildTarnekStruct.h"

// A fresh directory per test, made the current directory (the database lives relative to
// it) and removed afterwards, with the previous current directory restored.
class SettingsFolder final {
public:
    SettingsFolder();
    ~SettingsFolder();
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path DatabaseFile() const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

class RecordingSink final : public MessageSink {
public:
    void Show(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string CarriedBytes();

// Runs SQL on the file over a connection of its own, as another program would.
void ExecuteBehindTheBack(const std::filesystem::path& file, const std::string& sql);

// Every table with every column of every row, in stored order.
using TableDump = std::map<std::string, std::vector<std::vector<std::string>>>;
TableDump DumpTables(const std::filesystem::path& file);

// The initial configuration with every list entry, the Devotion Aura value and every
// parameter replaced by a text of its own; chances stay numbers that normalise to themselves.
tarnekArrayStruct ChangedEverywhere(const std::string& tag);

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

// A test folder with a database record that reports into `sink`; the database is not
// opened yet.
class DatabaseTest : public ::testing::Test {
protected:
    DatabaseTest() { db.busyTimeoutMs = 50; }

    tarnekArrayStruct Load();
    ValueList Column(const std::string& table, const std::string& column);
    void ExpectOneMessage(const std::string& text, const std::string& caption, MessageIcon icon);
    void ExpectOneWarning(const std::string& engineText);

    SettingsFolder folder;
    RecordingSink sink;
    vloxBuildTarnekStruct db{sink};
};

// The same with the carried database opened.
class OpenedDatabase : public DatabaseTest {
protected:
    void SetUp() override { ASSERT_TRUE(db.OpenDatabase()); }
};
