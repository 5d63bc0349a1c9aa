#include <gtest/gtest.h>

#ifndef _WIN32
#  include <sys/wait.h>
#  include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "pluginsrc/PluginCompiler.h"
#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
// Windows has its own test of the start, with a stand-in compile.exe.

// A stand-in compiler that waits for the test's go-ahead, so that a start which waited for
// it would be caught, then records where, how and in which session it ran.
const std::string kStandIn =
    "i=0; while [ ! -e go ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\n"
    "[ -e go ] && started=after-return || started=timeout\n"
    "echo \"$started $(pwd) $# $(cut -d' ' -f6 /proc/$$/stat)\" > record.tmp && mv record.tmp record\n";

std::string AwaitRecord(const fs::path& dir)
{
    for (int i = 0; i < 400 && !fs::exists(dir / "record"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return ReadBytes(dir / "record");
}

bool NoChildrenLeft()
{
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}
#endif

class PluginCompiler : public ::testing::Test {
protected:
    PluginCompiler() { fs::create_directory(plugin); }
    TestFolder folder;
    const fs::path plugin = folder.path() / "plugin";
};

#ifndef _WIN32
TEST_F(PluginCompiler, StartsDetachedInThePluginFolderWithoutArgumentsWithOrWithoutExecuteBit)
{
    EXPECT_FALSE(StartPluginCompiler(plugin));  // a missing script is no error to show
    fs::create_directory(plugin / "compile.sh");
    EXPECT_FALSE(StartPluginCompiler(plugin));
    fs::remove(plugin / "compile.sh");

    WriteBytes(plugin / "compile.sh", "#!/bin/sh\n" + kStandIn);
    fs::permissions(plugin / "compile.sh", fs::perms::owner_all);
    ASSERT_TRUE(StartPluginCompiler(plugin));
    EXPECT_TRUE(NoChildrenLeft());
    WriteBytes(plugin / "go", "");
    const std::string ran = "after-return " + plugin.string() + " 0 ";
    const std::string record = AwaitRecord(plugin);
    EXPECT_TRUE(record.starts_with(ran)) << record;
    EXPECT_NE(record, ran + std::to_string(getsid(0)) + "\n");
    EXPECT_EQ(fs::current_path(), folder.path());

    // Without the execute bit the script runs through the shell.
    fs::remove(plugin / "record");
    fs::permissions(plugin / "compile.sh", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(StartPluginCompiler(plugin));
    EXPECT_TRUE(AwaitRecord(plugin).starts_with(ran));
    EXPECT_TRUE(NoChildrenLeft());
}
#endif

TEST_F(PluginCompiler, PreviousBuildIsRemovedAndNoFolderIsCreated)
{
    EXPECT_TRUE(DeleteCompiledPlugin(plugin));
    EXPECT_FALSE(fs::exists(plugin / "compiled"));

    fs::create_directory(plugin / "compiled");
    WriteBytes(plugin / "compiled/vloxTarnekMod.amxx", "old build");
    WriteBytes(plugin / "compiled/other.amxx", "other");
    EXPECT_TRUE(DeleteCompiledPlugin(plugin));
    EXPECT_FALSE(fs::exists(plugin / "compiled/vloxTarnekMod.amxx"));
    EXPECT_TRUE(fs::exists(plugin / "compiled/other.amxx"));

    fs::create_directories(plugin / "compiled/vloxTarnekMod.amxx/inside");  // cannot go
    EXPECT_FALSE(DeleteCompiledPlugin(plugin));
    EXPECT_TRUE(fs::exists(plugin / "compiled/vloxTarnekMod.amxx/inside"));
}

}  // namespace
