#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "pluginsrc/WindowsApi.h"
#include "settingsdb/AccessDatabase.h"
#include "tests/settingsdb/DatabaseTest.h"

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr int kNotAFolder = ERROR_PATH_NOT_FOUND;
#else
constexpr int kNotAFolder = ENOTDIR;
#endif

TEST_F(DatabaseTest, FirstStartInEachFolderCreatesItsOwnCarriedCopy)
{
    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_TRUE(db.CreatedOnOpen());
    EXPECT_EQ(db.databasePath, folder.database());
    EXPECT_EQ(Load(), InitialConfiguration());
    EXPECT_TRUE(db.OutdatedBackupPath().empty());
    EXPECT_TRUE(ReadBytes(folder.database()) == CarriedBytes());  // reading changes nothing
    ASSERT_TRUE(db.UpdateValue("Количество уровней", "Количество уровней", "40"));

    fs::create_directory("elsewhere");
    fs::current_path("elsewhere");
    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_EQ(db.databasePath, folder.path() / "elsewhere" / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb");
    EXPECT_TRUE(ReadBytes(db.databasePath) == CarriedBytes());

    fs::current_path(folder.path());
    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_FALSE(db.CreatedOnOpen());
    EXPECT_EQ(db.SelectFirstValue("Количество уровней", "Количество уровней"), "40");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DatabaseTest, FileThatIsNoDatabaseIsReportedAndLeftAlone)
{
    fs::create_directory("TarnekChangeLevelDatabase");
    WriteBytes(folder.database(), std::string(4096, 'x'));
    EXPECT_EQ(DatabaseErrorOf([&] { db.OpenDatabase(); }), "file is not a database");
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(ReadBytes(folder.database()), std::string(4096, 'x'));
    EXPECT_EQ(folder.Listing().size(), 2u);
}

TEST_F(DatabaseTest, EarlierEditorsAccessFileIsSetAsideUntouchedAndAFreshDatabaseMade)
{
    const std::string access = std::string("\0\x01\0\0Standard Jet DB\0", 20) + std::string(70000, '\xA5');
    WriteBytes(folder.database(), access);
    WriteBytes(folder.path() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.access-1.mdb", "kept earlier");

    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_TRUE(db.CreatedOnOpen());
    const fs::path keptAs = folder.path() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.access-2.mdb";
    EXPECT_EQ(db.AccessDatabaseKeptAs(), keptAs);
    EXPECT_TRUE(ReadBytes(keptAs) == access);
    EXPECT_EQ(ReadBytes(folder.path() / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.access-1.mdb"),
              "kept earlier");
    EXPECT_EQ(Load(), InitialConfiguration());
    ExpectOneMessage(AccessDatabaseSetAsideText(keptAs), "", MessageIcon::Information);
    EXPECT_NE(sink.messages[0].text.find("TarnekChangeLevel.access-2.mdb"), std::string::npos);

    // The ACE signature of later Access versions too; anything else stays SQLite's to judge.
    WriteBytes(folder.database(), std::string("\0\x01\0\0", 4) + "Standard ACE DB" + std::string(100, '\x7F'));
    EXPECT_TRUE(IsAccessDatabase(folder.database()));
    WriteBytes(folder.database(), std::string("\0\x01\0\0", 4) + "Standard Jet D");
    EXPECT_FALSE(IsAccessDatabase(folder.database()));
}

// Whatever stops the carried copy being written is reported with the system's code, and
// nothing half-written is left to be taken for a database on the next start.
TEST_F(DatabaseTest, CarriedCopyThatCannotBeWrittenIsReportedWithTheSystemCode)
{
    // OpenDatabase makes the folder; a file in the folder's place stops the extraction.
    WriteBytes("TarnekChangeLevelDatabase", "in the way");
    EXPECT_FALSE(db.OpenDatabase());
    ExpectOneMessage("Не может записать ресурс в файл (INVALID_HANDLE_VALUE " + std::to_string(kNotAFolder) +
                         "): " + db.databasePath.string() + "\n",
                     "Ошибка", MessageIcon::Error);
    fs::remove("TarnekChangeLevelDatabase");
    sink.messages.clear();
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only from here: folder permission bits and the file size limit that cuts writes short";
#else

    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    WithFilePermissionsEnforced([&] { EXPECT_FALSE(db.OpenDatabase()); });
    fs::permissions(folder.path(), fs::perms::owner_all);
    ExpectOneMessage("Не может записать ресурс в файл (INVALID_HANDLE_VALUE " + std::to_string(EACCES) +
                         "): " + db.databasePath.parent_path().string() + "\n",
                     "Ошибка", MessageIcon::Error);
    EXPECT_TRUE(folder.Listing().empty());
    sink.messages.clear();

    fs::create_directory("TarnekChangeLevelDatabase");
    WithFileSizeLimit(1000, [&] { EXPECT_FALSE(db.OpenDatabase()); });
    ExpectOneMessage("Не может записать ресурс в файл (ошибка " + std::to_string(EFBIG) +
                         "): " + db.databasePath.string() + "\n",
                     "Ошибка", MessageIcon::Error);
    EXPECT_TRUE(fs::is_empty("TarnekChangeLevelDatabase"));
    EXPECT_FALSE(db.IsOpen());
    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_TRUE(ReadBytes(folder.database()) == CarriedBytes());
#endif
}

TEST_F(DatabaseTest, LinkThatLeadsNowhereIsRefusedNamingItsTargetAndCreatesNothing)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: symbolic links need administrator rights on Windows";
#endif
    const std::string file = "TarnekChangeLevelDatabase/TarnekChangeLevel.mdb";
    for (const auto& [link, target] : {std::pair{file, std::string("/mnt/no-stick/settings.mdb")},
                                       {file, "TarnekChangeLevel.mdb"},  // itself
                                       {std::string("TarnekChangeLevelDatabase"), "/mnt/no-stick"}}) {
        fs::remove_all("TarnekChangeLevelDatabase");
        fs::create_directories(fs::path(link).parent_path().empty() ? "." : fs::path(link).parent_path());
        fs::create_symlink(target, link);
        const std::string error = DatabaseErrorOf([&] { db.OpenDatabase(); });
        EXPECT_NE(error.find(link + " указывает на " + target), std::string::npos) << error;
        EXPECT_FALSE(db.IsOpen());
        // The one link and its folder, nothing beside it (a listing would follow the loop).
        const fs::path folderOfLink = fs::path(link).parent_path().empty() ? "." : fs::path(link).parent_path();
        EXPECT_EQ(std::distance(fs::directory_iterator(folderOfLink), fs::directory_iterator()), 1);
    }
}

// One page more in the header's count than any table uses: the file opens and reads, and
// only the check finds it.
void AddUnusedPage(const fs::path& file)
{
    std::string bytes = ReadBytes(file);
    unsigned pages = 0;
    for (int i = 28; i < 32; ++i)
        pages = pages << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    ++pages;
    for (int i = 31; i >= 28; --i, pages >>= 8)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(pages & 0xff);
    bytes.append(4096, '\0');
    WriteBytes(file, bytes);
}

TEST_F(DatabaseTest, DamagedDatabaseIsReportedWithItsCopiesAndRefusesEverySave)
{
    ASSERT_TRUE(db.OpenDatabase());
    db.CloseDatabase();
    fs::copy_file(folder.database(), folder.database().parent_path() / "TarnekChangeLevel.backup-2.mdb");
    WriteBytes(folder.database().parent_path() / "TarnekChangeLevel.access-1.mdb", "moved aside");
    AddUnusedPage(folder.database());
    const std::string damaged = ReadBytes(folder.database());

    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_TRUE(db.IsReadOnly());
    ASSERT_EQ(sink.messages.size(), 1u);
    const std::string& report = sink.messages[0].text;
    EXPECT_TRUE(report.starts_with("База данных " + folder.database().string() + " повреждена")) << report;
    EXPECT_NE(report.find("\n  Page 21 is never used\n"), std::string::npos) << report;
    EXPECT_TRUE(report.ends_with(":\n  TarnekChangeLevel.access-1.mdb\n  TarnekChangeLevel.backup-2.mdb")) << report;
    EXPECT_EQ(Load(), InitialConfiguration());

    sink.messages.clear();
    EXPECT_FALSE(db.SaveDatabase(InitialConfiguration()));
    EXPECT_FALSE(db.UpdateValue("Количество уровней", "Количество уровней", "40"));
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[1].text, "База данных " + folder.database().string() +
                                         " повреждена и открыта только для чтения: изменения не сохранены.");
    EXPECT_EQ(ReadBytes(folder.database()), damaged);
}

TEST_F(OpenedDatabase, ValuesTheEditorDoesNotUseAreCarriedAndNeverTouched)
{
    const tarnekArrayStruct changed = ChangedEverywhere("*");
    ASSERT_TRUE(db.SaveDatabase(changed));
    for (Tier tier : {Tier::One, Tier::Two, Tier::Three, Tier::Four})
        ASSERT_TRUE(db.SaveTierDatabase(tier, changed));
    for (const auto& [table, column, value] : {
             std::tuple{"Версия", "Код", "1"},
             {"Количество уровней", "Код", "1"},
             {"Множитель", "Не сохраняемые XP (kq4_save_xp 0)", "1"},
             {"Максимальный шанс", "Феникс (Phoenix)", "1.0"},
             {"Значения расы Шпион", "Шанс-Скрытый удар", "180"},
             {"Значения расы Лорд Мертвых", "Шанс", "180"},
             {"Значения расы Эльф", "Шанс-Уклонение", "60"},
         })
        EXPECT_EQ(db.SelectFirstValue(table, column), value) << table << "." << column;
}

TEST_F(OpenedDatabase, RowsComeInStoredOrderWhateverIndexExists)
{
    const std::string table = "\"XP за убийство\"", column = "\"Сохраняемые XP (kq4_save_xp 1)\"";
    ExecuteBehindTheBack("CREATE INDEX sorted ON " + table + " (" + column + ")");
    {
        // Without an ORDER BY the engine reads this column through the index, in text order.
        SQLite::Database other(folder.database());
        SQLite::Statement plain(other, "SELECT " + column + " FROM " + table);
        ASSERT_TRUE(plain.executeStep());
        ASSERT_NE(plain.getColumn(0).getString(), "400");
    }
    EXPECT_EQ(Load().xpLevelSaved, InitialConfiguration().xpLevelSaved);
}

class OutdatedVersion : public OpenedDatabase, public ::testing::WithParamInterface<const char*> {};

TEST_P(OutdatedVersion, IsReplacedByTheCarriedCopyAndKeptAsBackup)
{
    ASSERT_TRUE(db.UpdateValue("Версия", "Версия", GetParam()));
    ASSERT_TRUE(db.UpdateValue("Количество уровней", "Количество уровней", "40"));
    db.CloseDatabase();
    const std::string outdated = ReadBytes(folder.database());
    const fs::path earlier = folder.database().parent_path() / "TarnekChangeLevel.backup-1.mdb";
    WriteBytes(earlier, "earlier backup");

    // Another run's connection to the file keeps pointing at the settings database.
    SQLite::Database other(folder.database().string(), SQLite::OPEN_READONLY);

    ASSERT_TRUE(db.OpenDatabase());
    EXPECT_EQ(Load(), InitialConfiguration());
    EXPECT_EQ(other.execAndGet("SELECT \"Версия\" FROM \"Версия\"").getString(), "3.0");
    EXPECT_EQ(db.OutdatedBackupPath(), earlier.parent_path() / "TarnekChangeLevel.backup-2.mdb");
    EXPECT_TRUE(ReadBytes(db.OutdatedBackupPath()) == outdated);
    EXPECT_EQ(ReadBytes(earlier), "earlier backup");
    EXPECT_TRUE(sink.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, OutdatedVersion, ::testing::Values("2.0", "3.0 ", ""));

TEST_F(OpenedDatabase, FailedReadLeavesTheModelAsItWas)
{
    ExecuteBehindTheBack("DELETE FROM \"Множитель\"");
    tarnekArrayStruct model = ChangedEverywhere("?");
    const tarnekArrayStruct before = model;
    EXPECT_NE(DatabaseErrorOf([&] { db.LoadAll(model); }), "");
    EXPECT_EQ(model, before);
}

}  // namespace
