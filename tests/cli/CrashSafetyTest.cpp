// Kills at random moments during saves: after every kill the database must open and hold
// one whole configuration, and each generated source must be one whole version.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "tests/cli/ToolProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Outcome {
    std::string exported;
    TableDump rows;
    std::string base;
    std::string skills;
};

Outcome Observe(const PluginDir& dir)
{
    const ToolResult exported = dir.Run({"export"});  // opens read-write, so a hot journal is rolled back
    EXPECT_EQ(exported.status, 0) << exported.err;
    return {exported.out, DumpTables(dir.database()), ReadBytes(dir.baseHeader()), ReadBytes(dir.skillsInclude())};
}

// Timed the way the kills below start it, so that the delays span the whole run.
Clock::duration MedianRun(const std::vector<std::string>& args)
{
    std::vector<Clock::duration> runs;
    for (int i = 0; i < 7; ++i) {
        const auto start = Clock::now();
        EXPECT_EQ(ExitStatus(StartBinary(args)), 0);
        runs.push_back(Clock::now() - start);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// Runs commands[i % 2] in target `rounds` times, each killed after a random delay of up to
// 1.5 runs, and checks the directory against the two finished outcomes after every kill.
void KillAtRandom(const PluginDir& target, const std::vector<std::string> (&commands)[2], const Outcome (&finished)[2],
                  int rounds)
{
    auto random = SeededGenerator("TARNEK_CRASH_SEED");
    const auto median = MedianRun(commands[0]);
    std::uniform_int_distribution<long long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(median).count() * 3 / 2);

    int killedWhileRunning = 0;
    for (int round = 0; round < rounds; ++round) {
        const ToolRun run = StartBinary(commands[round % 2]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        Kill(run);
        if (ExitStatus(run) == -1)
            ++killedWhileRunning;

        const Outcome now = Observe(target);
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_TRUE(now.exported == finished[0].exported || now.exported == finished[1].exported);
        ASSERT_TRUE(now.rows == finished[0].rows || now.rows == finished[1].rows);
        ASSERT_TRUE(now.base == finished[0].base || now.base == finished[1].base);
        ASSERT_TRUE(now.skills == finished[0].skills || now.skills == finished[1].skills);
    }
    std::cout << killedWhileRunning << " of " << rounds << " runs killed before they ended\n";
    // Most delays end before the run does; far fewer kills would mean the test tests nothing.
    EXPECT_GE(killedWhileRunning, rounds / 5);
}

// Alternates the two saves that rewrite everything: an import and a level change.
TEST(CrashSafety, KilledImportsAndLevelChangesLeaveOneWholeConfiguration)
{
    // A configuration apart from the initial one in the level count, lists and parameters.
    PluginDir source;
    ASSERT_EQ(source.Run({"levels", "13", "--yes"}).status, 0);
    ASSERT_EQ(source.Run({"set", "devotionValue", "11"}).status, 0);
    ASSERT_EQ(source.Run({"fill", "vampiricList", "vampiricIncrement=0.07"}).status, 0);
    ASSERT_EQ(source.Run({"set", "orbMaxChance", "3"}).status, 0);
    const std::string file = (source.path() / "a.json").string();
    ASSERT_EQ(source.Run({"export", file}).status, 0);

    // The finished outcomes: that configuration imported, and then changed to 22 levels.
    PluginDir imported, changed, target;
    for (const PluginDir* dir : {&imported, &changed, &target})
        ASSERT_EQ(dir->Run({"import", file}).status, 0);
    ASSERT_EQ(changed.Run({"levels", "22", "--yes"}).status, 0);
    const Outcome finished[2] = {Observe(imported), Observe(changed)};
    ASSERT_NE(finished[0].rows, finished[1].rows);
    ASSERT_NE(finished[0].base, finished[1].base);
    ASSERT_NE(finished[0].skills, finished[1].skills);

    const std::string dir = target.path().string();
    const std::vector<std::string> commands[2] = {{"-C", dir, "import", file}, {"-C", dir, "levels", "22", "--yes"}};
    KillAtRandom(target, commands, finished, 400);

    // What the killed runs left half-written goes with the next write.
    ASSERT_EQ(target.Run({"generate"}).status, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.path() / "tarnek"),
                            std::filesystem::directory_iterator()),
              2);
}

}  // namespace
