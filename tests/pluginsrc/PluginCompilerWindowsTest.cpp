#include <gtest/gtest.h>

// <windows.h> first: <shellapi.h> builds on its macros.
#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "pluginsrc/DetachedProcess.h"
#include "pluginsrc/PluginCompiler.h"
#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

namespace {

// Wine rebuilds the command line it hands to the child, so a wrong one would not show in the
// child's arguments there: the line itself is checked, against the system's own parse.
TEST(CompilerCommandLine, IsTheWholeProgramPathAsOneQuotedWord)
{
    for (const std::wstring program :
         {L"C:\\Program Files\\AMX Mod X\\compile.exe", L"C:\\Users\\Иван Петров\\plugin\\compile.exe"}) {
        const std::wstring line = CommandLineStarting(program);
        EXPECT_EQ(line, L"\"" + program + L"\"");
        int count = 0;
        LPWSTR* words = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_NE(words, nullptr);
        EXPECT_EQ(count, 1);
        EXPECT_EQ(words[0], program);
        LocalFree(words);
    }
}

std::vector<std::string> AwaitRecord(const fs::path& dir)
{
    for (int i = 0; i < 400 && !fs::exists(dir / "record"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    std::vector<std::string> lines;
    std::istringstream text(ReadBytes(dir / "record"));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

// An ended process can still be opened by its id only while someone holds a handle to it.
bool ProcessGoneWithin(DWORD id, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        if (!process)
            return true;
        CloseHandle(process);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

TEST(PluginCompilerStart, RunsDetachedInAFolderWithSpacesWithoutArgumentsAndLeavesNoProcessBehind)
{
    TestFolder folder;
    const fs::path plugin = folder.path() / u8"Program Files" / u8"Иван Петров";
    fs::create_directories(plugin);
    EXPECT_FALSE(StartPluginCompiler(plugin));  // a missing compiler is no error to show
    fs::create_directory(plugin / "compile.exe");
    EXPECT_FALSE(StartPluginCompiler(plugin));
    fs::remove(plugin / "compile.exe");
    // What the system refuses to start comes back with its reason.
    WriteBytes(plugin / "compile.exe", "not a program");
    const auto refused = StartPluginCompiler(plugin);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.failure().code, 0);
    fs::remove(plugin / "compile.exe");

    fs::copy_file(TARNEK_COMPILE_STAND_IN, plugin / "compile.exe");
    ASSERT_TRUE(StartPluginCompiler(plugin));
    WriteBytes(plugin / "go", "");
    const std::vector<std::string> record = AwaitRecord(plugin);
    ASSERT_EQ(record.size(), 4u);
    EXPECT_EQ(record[0], "after-return");
    EXPECT_EQ(record[1], "0");
    EXPECT_TRUE(fs::equivalent(fs::path(std::u8string(record[2].begin(), record[2].end())), plugin)) << record[2];
    EXPECT_TRUE(ProcessGoneWithin(std::stoul(record[3]), std::chrono::seconds(10)));
    EXPECT_EQ(fs::current_path(), folder.path());
}

TEST(PluginCompileRun, WaitsInAFolderWithSpacesAndACancelEndsIt)
{
    TestFolder folder;
    const fs::path plugin = folder.path() / u8"Program Files" / u8"Иван Петров";
    fs::create_directories(plugin);
    fs::copy_file(TARNEK_COMPILE_STAND_IN, plugin / "compile.exe");

    // Left waiting for its go-ahead, it is ended by the cancel before it writes anything.
    PluginCompileRun waiting(plugin, GeneratedLines());
    std::thread canceller([&waiting] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        waiting.Cancel();
    });
    const CompileResult cancelled = waiting.Run();
    canceller.join();
    EXPECT_TRUE(cancelled.end.cancelled);
    EXPECT_FALSE(fs::exists(plugin / "record"));

    WriteBytes(plugin / "go", "");
    PluginCompileRun run(plugin, GeneratedLines());
    const CompileResult result = run.Run();
    EXPECT_EQ(result.start, CompileStart::Started);
    EXPECT_EQ(result.end.exitCode, 0);
    const std::vector<std::string> record = AwaitRecord(plugin);
    ASSERT_EQ(record.size(), 4u);
    EXPECT_EQ(record[1], "0");
    EXPECT_TRUE(fs::equivalent(fs::path(std::u8string(record[2].begin(), record[2].end())), plugin)) << record[2];
}

}  // namespace
