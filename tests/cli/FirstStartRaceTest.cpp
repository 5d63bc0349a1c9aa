// Runs started at the same moment on a folder without a database, or with an outdated one:
// the database is created or replaced once, and a save that reported success stays saved.

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include "tests/cli/ToolProcess.h"

namespace fs = std::filesystem;

namespace {

std::string StoredLevelCount(const PluginDir& dir)
{
    SQLite::Database database(dir.database().string());
    return database.execAndGet("SELECT \"Количество уровней\" FROM \"Количество уровней\"").getString();
}

int BackupCount(const PluginDir& dir)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir.database().parent_path()))
        count += entry.path().filename().string().starts_with("TarnekChangeLevel.backup-");
    return count;
}

// One level change and three readers started together, round after round, each round on a
// folder that prepare has just set up.
template <class Prepare>
void SaveAmongReaders(Prepare&& prepare, int expectedBackups)
{
    constexpr int kRounds = 25;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        PluginDir dir;
        prepare(dir);
        const std::string path = dir.path().string();
        const ToolRun save = StartBinary({"-C", path, "levels", "40", "--yes"});
        std::vector<ToolRun> readers;
        for (int i = 0; i < 3; ++i)
            readers.push_back(StartBinary({"-C", path, "show"}));

        ASSERT_EQ(ExitStatus(save), 0);
        for (ToolRun reader : readers)
            EXPECT_EQ(ExitStatus(reader), 0);
        ASSERT_EQ(StoredLevelCount(dir), "40");
        EXPECT_EQ(BackupCount(dir), expectedBackups);
    }
}

TEST(FirstStart, RunsStartedTogetherOnAFreshFolderKeepTheSave)
{
    SaveAmongReaders([](const PluginDir&) {}, 0);
}

TEST(FirstStart, RunsStartedTogetherOnAnOutdatedDatabaseReplaceItOnceAndKeepTheSave)
{
    SaveAmongReaders(
        [](const PluginDir& dir) {
            ASSERT_EQ(dir.Run({"generate"}).status, 0);
            SQLite::Database(dir.database().string(), SQLite::OPEN_READWRITE)
                .exec("UPDATE \"Версия\" SET \"Версия\" = '2.0'");
        },
        1);
}

}  // namespace
