#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "DatabaseFileWrite.h"
#include "DatabaseLocation.h"
#include "TestFolder.h"

namespace fs = std::filesystem;

namespace {

const std::vector<unsigned char> kBytes = {'S', 'Q', 'L', 0, 0xFF, '\r', '\n'};
const std::string kBytesText(kBytes.begin(), kBytes.end());

TEST(DatabaseFileWrite, ReplacesALongerFileWholeAndLeavesNothingBeside)
{
    TestFolder folder;
    WriteBytes("settings.mdb", std::string(100000, 'x'));
    EXPECT_FALSE(WriteDatabaseFile("settings.mdb", kBytes));
    EXPECT_EQ(ReadBytes("settings.mdb"), kBytesText);
    EXPECT_EQ(folder.Listing(), std::vector<std::string>{"settings.mdb"});
}

TEST(DatabaseFileWrite, MissingFolderFailsBeforeWritingAndCreatesNothing)
{
    TestFolder folder;
    const auto failure = WriteDatabaseFile("missing/settings.mdb", kBytes);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->stage, DatabaseFileWriteFailure::Stage::Create);
    EXPECT_EQ(failure->errorCode, ENOENT);
    EXPECT_TRUE(folder.Listing().empty());
}

#ifdef _WIN32
TEST(DatabaseFileWrite, FileHeldOpenIsKeptAndThePartialFileRemoved)
{
    TestFolder folder;
    WriteBytes("settings.mdb", "previous");
    HANDLE held = CreateFileW(L"settings.mdb", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const auto failure = WriteDatabaseFile("settings.mdb", kBytes);
    CloseHandle(held);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->stage, DatabaseFileWriteFailure::Stage::Write);
    EXPECT_EQ(ReadBytes("settings.mdb"), "previous");
    EXPECT_EQ(folder.Listing(), std::vector<std::string>{"settings.mdb"});
}
#endif

TEST(DatabaseLocation, BackupNameSkipsEveryNameTaken)
{
    TestFolder folder;
    const fs::path database = DatabaseFileIn(folder.path());
    EXPECT_EQ(database, folder.path() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb");
    WriteBytes(database, "");
    EXPECT_EQ(FreeBackupPath(database), database.parent_path() / "TarnekChangeLevel.backup-1.mdb");
    WriteBytes(database.parent_path() / "TarnekChangeLevel.backup-1.mdb", "");
    fs::create_directory(database.parent_path() / "TarnekChangeLevel.backup-2.mdb");
    EXPECT_EQ(FreeBackupPath(database), database.parent_path() / "TarnekChangeLevel.backup-3.mdb");
}

}  // namespace
