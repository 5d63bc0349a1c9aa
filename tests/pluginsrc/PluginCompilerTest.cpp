#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "PluginCompiler.h"
#include "ScratchDir.h"

namespace fs = std::filesystem;

namespace {

// A stand-in compiler that waits for the test's go-ahead (so a caller that waited for it
// would be caught), then records where and how it ran.
const std::string kStandIn =
    "i=0\n"
    "while [ ! -e go ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\n"
    "[ -e go ] && started=after-return || started=timeout\n"
    "sid=$(cut -d' ' -f6 /proc/$$/stat)\n"
    "{ echo \"$started\"; pwd; echo \"$#\"; echo \"$sid\"; } > record.tmp\n"
    "mv record.tmp record\n";

std::vector<std::string> AwaitRecord(const fs::path& dir)
{
    const fs::path record = dir / "record";
    for (int i = 0; i < 400 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    std::vector<std::string> lines;
    if (!fs::exists(record))
        return lines;
    std::istringstream in(ReadBytes(record));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool HasUnreapedChildren()
{
    return !(waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD);
}

class PluginCompiler : public ::testing::Test {
protected:
    PluginCompiler() : plugin(scratch.path() / "plugin") { fs::create_directory(plugin); }

    ScratchDir scratch;
    fs::path plugin;
};

TEST_F(PluginCompiler, StartsInThePluginFolderWithoutArgumentsAndDoesNotWait)
{
    WriteBytes(plugin / "compile.sh", "#!/bin/sh\n" + kStandIn);
    fs::permissions(plugin / "compile.sh", fs::perms::owner_all);

    ASSERT_TRUE(StartPluginCompiler(plugin));
    EXPECT_FALSE(HasUnreapedChildren());
    WriteBytes(plugin / "go", "");

    const std::vector<std::string> record = AwaitRecord(plugin);
    ASSERT_EQ(record.size(), 4u);
    EXPECT_EQ(record[0], "after-return");
    EXPECT_EQ(fs::path(record[1]), plugin);
    EXPECT_EQ(record[2], "0");
    EXPECT_NE(record[3], std::to_string(getsid(0)));  // out of the editor's session
    EXPECT_EQ(fs::current_path(), scratch.path());
}

TEST_F(PluginCompiler, ScriptWithoutExecuteBitRunsThroughTheShell)
{
    WriteBytes(plugin / "compile.sh", kStandIn);
    fs::permissions(plugin / "compile.sh", fs::perms::owner_read | fs::perms::owner_write);
    WriteBytes(plugin / "go", "");

    ASSERT_TRUE(StartPluginCompiler(plugin));
    const std::vector<std::string> record = AwaitRecord(plugin);
    ASSERT_EQ(record.size(), 4u);
    EXPECT_EQ(record[2], "0");
}

TEST_F(PluginCompiler, MissingCompilerIsSilent)
{
    EXPECT_FALSE(StartPluginCompiler(plugin));
    fs::create_directory(plugin / "compile.sh");
    EXPECT_FALSE(StartPluginCompiler(plugin));
    EXPECT_FALSE(HasUnreapedChildren());
}

TEST_F(PluginCompiler, PreviousBuildIsRemovedAndNoFolderIsCreated)
{
    EXPECT_TRUE(DeleteCompiledPlugin(plugin));
    EXPECT_FALSE(fs::exists(plugin / "compiled"));

    fs::create_directory(plugin / "compiled");
    WriteBytes(plugin / "compiled" / "vloxTarnekMod.amxx", "old build");
    WriteBytes(plugin / "compiled" / "other.amxx", "other");
    EXPECT_TRUE(DeleteCompiledPlugin(plugin));
    EXPECT_FALSE(fs::exists(plugin / "compiled" / "vloxTarnekMod.amxx"));
    EXPECT_TRUE(fs::exists(plugin / "compiled" / "other.amxx"));

    // Something that cannot go is reported to the caller and left alone.
    fs::create_directories(plugin / "compiled" / "vloxTarnekMod.amxx" / "inside");
    EXPECT_FALSE(DeleteCompiledPlugin(plugin));
    EXPECT_TRUE(fs::exists(plugin / "compiled" / "vloxTarnekMod.amxx" / "inside"));
}

}  // namespace
