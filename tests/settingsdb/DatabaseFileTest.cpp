#include <gtest/gtest.h>

#ifdef _WIN32
#  include <windows.h>
#endif

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "settingsdb/DatabaseFileWrite.h"
#include "settingsdb/DatabaseLock.h"
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

// A second holder (here another open file of the same process) waits and is refused in
// the window's language; a mark is written over and cut to its length.
TEST(DatabaseLock, HeldMarkedAndRefusedInTheProgramsLanguage)
{
    TestFolder folder;
    using Mode = DatabaseLock::Mode;
    auto held = DatabaseLock::Take("settings.lock", Mode::Exclusive, std::chrono::milliseconds(0));
    ASSERT_TRUE(held);
    EXPECT_TRUE(held->SetPendingMark("sources 1234") && held->SetPendingMark("sources 5"));
    EXPECT_TRUE(held->IsPending());
    EXPECT_EQ(held->PendingMark(), "sources 5");
    const auto busy = DatabaseLock::Take("settings.lock", Mode::Shared, std::chrono::milliseconds(30));
    ASSERT_FALSE(busy);
    EXPECT_NE(busy.failure().text.find("занят другой программой"), std::string::npos);
    EXPECT_TRUE(held->ClearPending());
    EXPECT_FALSE(held->IsPending());
    EXPECT_TRUE(held->Share());
    EXPECT_TRUE(DatabaseLock::Take("settings.lock", Mode::Shared, std::chrono::milliseconds(0)));
    const auto missing = DatabaseLock::Take("missing/settings.lock", Mode::Exclusive, std::chrono::milliseconds(0));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.failure().text.rfind("Не удалось открыть файл блокировки", 0), 0u);
}

}  // namespace
