// SIGKILL at random moments during saves: after every kill the database must open and hold
// one whole configuration, and each generated source must be one whole version.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "ToolProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Outcome {
    std::string exported;
    std::map<std::string, TableRows> rows;
    std::string base;
    std::string skills;
};

Outcome Observe(const TempPluginDir& dir)
{
    Outcome outcome;
    const ToolResult exported = dir.Run({"export"});  // opens read-write, so a hot journal is rolled back
    EXPECT_EQ(exported.status, 0) << exported.err;
    outcome.exported = exported.out;
    outcome.rows = DatabaseRows(dir.database());
    outcome.base = ReadFile(dir.baseHeader());
    outcome.skills = ReadFile(dir.skillsInclude());
    return outcome;
}

std::mt19937 SeededGenerator()
{
    const char* fixed = std::getenv("TARNEK_CRASH_SEED");
    const unsigned seed = fixed ? static_cast<unsigned>(std::strtoul(fixed, nullptr, 10)) : std::random_device{}();
    std::cout << "TARNEK_CRASH_SEED=" << seed << '\n';
    return std::mt19937(seed);
}

// Timed the way the kills below start it, so that the delays span the whole run.
Clock::duration MedianRun(const std::vector<std::string>& args)
{
    std::vector<Clock::duration> runs;
    for (int i = 0; i < 7; ++i) {
        const auto start = Clock::now();
        const pid_t pid = StartBinary(args);
        int status = 0;
        waitpid(pid, &status, 0);
        runs.push_back(Clock::now() - start);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// Runs commands[i % 2] in target `rounds` times, each killed after a random delay of up to
// 1.5 runs, and checks the directory against the two finished outcomes after every kill.
void KillAtRandom(const TempPluginDir& target, const std::vector<std::string> (&commands)[2],
                  const Outcome (&finished)[2], int rounds)
{
    auto random = SeededGenerator();
    const auto median = MedianRun(commands[0]);
    std::uniform_int_distribution<long long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(median).count() * 3 / 2);

    int killedWhileRunning = 0;
    for (int round = 0; round < rounds; ++round) {
        const pid_t pid = StartBinary(commands[round % 2]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFSIGNALED(status))
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

TEST(CrashSafety, KilledImportsLeaveOneWholeConfiguration)
{
    // Two configurations that differ in the level count, every list and many parameters.
    TempPluginDir a;
    TempPluginDir b;
    ASSERT_EQ(a.Run({"levels", "13", "--yes"}).status, 0);
    ASSERT_EQ(a.Run({"set", "devotionValue", "11"}).status, 0);
    ASSERT_EQ(b.Run({"fill", "vampiricList", "vampiricIncrement=0.07"}).status, 0);
    ASSERT_EQ(b.Run({"set", "orbMaxChance", "3"}).status, 0);
    ASSERT_EQ(b.Run({"levels", "19", "--yes"}).status, 0);
    const auto fileA = a.path() / "a.json";
    const auto fileB = b.path() / "b.json";
    ASSERT_EQ(a.Run({"export", fileA.string()}).status, 0);
    ASSERT_EQ(b.Run({"export", fileB.string()}).status, 0);

    // The finished outcomes are those of complete imports into fresh directories.
    TempPluginDir referenceA;
    TempPluginDir referenceB;
    ASSERT_EQ(referenceA.Run({"import", fileA.string()}).status, 0);
    ASSERT_EQ(referenceB.Run({"import", fileB.string()}).status, 0);
    const Outcome finished[2] = {Observe(referenceA), Observe(referenceB)};
    ASSERT_NE(finished[0].rows, finished[1].rows);
    ASSERT_NE(finished[0].base, finished[1].base);
    ASSERT_NE(finished[0].skills, finished[1].skills);

    TempPluginDir target;
    ASSERT_EQ(target.Run({"import", fileB.string()}).status, 0);
    const std::string dir = target.path().string();
    const std::vector<std::string> commands[2] = {{"-C", dir, "import", fileA.string()},
                                                  {"-C", dir, "import", fileB.string()}};
    KillAtRandom(target, commands, finished, 300);
}

TEST(CrashSafety, KilledLevelChangesLeaveOneWholeConfiguration)
{
    TempPluginDir referenceA;
    TempPluginDir referenceB;
    ASSERT_EQ(referenceA.Run({"levels", "13", "--yes"}).status, 0);
    ASSERT_EQ(referenceB.Run({"levels", "22", "--yes"}).status, 0);
    const Outcome finished[2] = {Observe(referenceA), Observe(referenceB)};

    TempPluginDir target;
    ASSERT_EQ(target.Run({"levels", "22", "--yes"}).status, 0);
    const std::string dir = target.path().string();
    const std::vector<std::string> commands[2] = {{"-C", dir, "levels", "13", "--yes"},
                                                  {"-C", dir, "levels", "22", "--yes"}};
    KillAtRandom(target, commands, finished, 200);
}

}  // namespace
