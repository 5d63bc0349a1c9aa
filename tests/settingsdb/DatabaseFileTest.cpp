#include <gtest/gtest.h>

#ifdef _WIN32
#  include <windows.h>
#endif

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "settingsdb/DatabaseFileWrite.h"
#include "tests/support/TestFolder.h"

namespace {

const std::vector<unsigned char> kBytes = {'S', 'Q', 'L', 0, 0xFF, '\r', '\n'};
const std::string kBytesText(kBytes.begin(), kBytes.end());
#ifdef _WIN32
constexpr int kFolderMissing = ERROR_PATH_NOT_FOUND;
#else
constexpr int kFolderMissing = ENOENT;
#endif

TEST(DatabaseFileWrite, CreatedWholeWhereNoneIsAndAnExistingOneKept)
{
    TestFolder folder;
    EXPECT_TRUE(CreateDatabaseFile("settings.mdb", kBytes));
    EXPECT_EQ(ReadBytes("settings.mdb"), kBytesText);
    WriteBytes("settings.mdb", "saved meanwhile by another run");
    EXPECT_TRUE(CreateDatabaseFile("settings.mdb", kBytes));
    EXPECT_EQ(ReadBytes("settings.mdb"), "saved meanwhile by another run");
    EXPECT_EQ(folder.Listing(), std::vector<std::string>{"settings.mdb"});
}

TEST(DatabaseFileWrite, MissingFolderFailsBeforeWritingAndCreatesNothing)
{
    TestFolder folder;
    const auto created = CreateDatabaseFile("missing/settings.mdb", kBytes);
    ASSERT_FALSE(created);
    EXPECT_TRUE(created.failure().createFailed);
    EXPECT_EQ(created.failure().code, kFolderMissing);
    EXPECT_TRUE(folder.Listing().empty());
}

}  // namespace
