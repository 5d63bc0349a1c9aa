// Parallel runs of the tool on one folder, some killed at random: every change that was
// reported saved must be in the database, and the two sources must always be what
// "generate" writes from the database at that moment.

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include "model/Descriptors.h"
#include "tests/cli/ToolProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWriters = 8;
const std::size_t kList = *FindList("xpLevelSaved");  // 11 cells at the initial 10 levels

std::vector<std::string> StoredCells(const PluginDir& dir)
{
    const ListDescriptor& list = ValueLists()[kList];
    SQLite::Database database(dir.database(), SQLite::OPEN_READWRITE);  // rolls back a killed run's journal
    SQLite::Statement query(database, "SELECT \"" + std::string(list.column) + "\" FROM \"" + std::string(list.table) +
                                          "\" ORDER BY rowid");
    std::vector<std::string> cells;
    while (query.executeStep())
        cells.push_back(query.getColumn(0).getString());
    return cells;
}

// The sources as a reading run leaves them (it finishes a save that was killed after its
// commit), then as "generate" rewrites them from the database.
void ExpectSourcesFromTheDatabase(const PluginDir& dir)
{
    ASSERT_EQ(dir.Run({"show"}).status, 0);
    const std::string base = ReadBytes(dir.baseHeader());
    const std::string skills = ReadBytes(dir.skillsInclude());
    ASSERT_EQ(dir.Run({"generate"}).status, 0);
    EXPECT_EQ(base, ReadBytes(dir.baseHeader()));
    EXPECT_EQ(skills, ReadBytes(dir.skillsInclude()));
}

// Runs rounds of eight writers of different cells until `budget` is spent; with `kills`,
// each writer is killed after a random delay of up to `killWithin`.
void RunRounds(std::mt19937& random, Clock::duration budget, bool kills, std::chrono::microseconds killWithin)
{
    PluginDir dir;
    ASSERT_EQ(dir.Run({"generate"}).status, 0);
    std::uniform_int_distribution<long long> delay(0, killWithin.count());
    const std::string path = dir.path().string();
    const auto end = Clock::now() + budget;
    int rounds = 0;
    int saved = 0;
    for (; rounds < 3 || Clock::now() < end; ++rounds) {
        std::vector<ToolRun> writers;
        std::vector<std::string> values;
        for (int w = 0; w < kWriters; ++w) {
            values.push_back("r" + std::to_string(rounds) + "w" + std::to_string(w));
            writers.push_back(
                StartBinary({"-C", path, "set", "xpLevelSaved[" + std::to_string(w) + "]", values.back()}));
        }
        if (kills) {
            for (ToolRun writer : writers) {
                std::this_thread::sleep_for(std::chrono::microseconds(delay(random)) / kWriters);
                Kill(writer);
            }
        }
        std::vector<bool> exitedSaved;
        for (ToolRun writer : writers) {
            exitedSaved.push_back(ExitStatus(writer) == 0);
            if (!kills) {
                EXPECT_TRUE(exitedSaved.back()) << "round " << rounds;
            }
        }
        const std::vector<std::string> cells = StoredCells(dir);
        ASSERT_EQ(cells.size(), 11u);
        for (int w = 0; w < kWriters; ++w)
            if (exitedSaved[static_cast<std::size_t>(w)]) {
                ++saved;
                EXPECT_EQ(cells[static_cast<std::size_t>(w)], values[static_cast<std::size_t>(w)])
                    << "round " << rounds << ", writer " << w;
            }
        ExpectSourcesFromTheDatabase(dir);
        if (::testing::Test::HasFailure())
            break;
    }
    std::cout << rounds << " rounds, " << saved << " of " << rounds * kWriters << " writes reported saved\n";
}

TEST(Concurrency, ParallelWritersOfDifferentCellsEachKeepTheirChange)
{
    auto random = SeededGenerator("TARNEK_CONCURRENCY_SEED");
    RunRounds(random, std::chrono::seconds(5), false, {});
}

TEST(Concurrency, KilledWritersNeverCostAnotherWritersChangeOrMixTheSources)
{
    auto random = SeededGenerator("TARNEK_CONCURRENCY_SEED");
    // Long enough that some writers end before their kill and some in the middle of it.
    const auto start = Clock::now();
    {
        PluginDir probe;
        ASSERT_EQ(probe.Run({"set", "xpLevelSaved[0]", "1"}).status, 0);
    }
    const auto oneRun = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    RunRounds(random, std::chrono::seconds(8), true, oneRun * 4);
}

}  // namespace
