#include <gtest/gtest.h>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <sys/stat.h>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Descriptors.h"
#include "pluginsrc/xpBaseStruct.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = TARNEK_PLUGINSRC_TEST_DATA;

// The system's codes that the write error message shows.
#ifdef _WIN32
constexpr int kFolderMissing = ERROR_PATH_NOT_FOUND, kTargetIsFolder = ERROR_ACCESS_DENIED;
#else
constexpr int kFolderMissing = ENOENT, kTargetIsFolder = EISDIR;
#endif

// The rest of the line after "#define name ".
std::string Define(const std::string& text, const std::string& name)
{
    const std::string key = "\n#define " + name + " ";
    const std::size_t at = text.find(key);
    if (at == std::string::npos)
        return "<missing>";
    const std::size_t value = at + key.size();
    return text.substr(value, text.find("\r\n", value) - value);
}

class GeneratedSources : public ::testing::Test {
protected:
    GeneratedSources() { fs::create_directory("tarnek"); }
    void WriteBoth(const tarnekArrayStruct& model)
    {
        EXPECT_TRUE(writer.WriteBaseHeader(model, sink));
        EXPECT_TRUE(writer.WriteSkillsInclude(model, sink));
        EXPECT_TRUE(sink.messages.empty());
    }
    void ExpectWriteErrors(const std::vector<int>& codes)
    {
        ASSERT_EQ(sink.messages.size(), codes.size());
        for (std::size_t i = 0; i < codes.size(); ++i) {
            const std::string& text = sink.messages[i].text;
            EXPECT_TRUE(text.starts_with("Не может записать в файл (ошибка " + std::to_string(codes[i]) + "): "))
                << text;
            EXPECT_TRUE(text.ends_with("base.h\n") || text.ends_with("skills.inl\n")) << text;  // names the file
            EXPECT_EQ(sink.messages[i].caption, "Ошибка");
            EXPECT_EQ(sink.messages[i].icon, MessageIcon::Error);
        }
    }

    TestFolder folder;
    xpBaseStruct writer;
    RecordingSink sink;
};

TEST_F(GeneratedSources, InitialConfigurationGivesTheReferenceFilesByteForByte)
{
    WriteBoth(InitialConfiguration());
    EXPECT_EQ(ReadBytes(folder.baseHeader()), ReadBytes(kData / "base.h.expected"));
    EXPECT_EQ(ReadBytes(folder.skillsInclude()), ReadBytes(kData / "skills.inl.expected"));
    EXPECT_EQ(folder.Listing(), (std::vector<std::string>{"tarnek", "tarnek/base.h", "tarnek/skills.inl"}));
}

TEST_F(GeneratedSources, LongerExistingFilesAreReplacedWholeKeepingModeAndLink)
{
#ifdef _WIN32
    GTEST_SKIP()
        << "symbolic links and permission bits as tested here are POSIX; replacement is tested with a held file";
#else
    fs::create_directory("elsewhere");
    WriteBytes("elsewhere/skills.inl", std::string(100000, 'y'));
    fs::create_symlink("../elsewhere/skills.inl", "tarnek/skills.inl");
    WriteBytes("tarnek/base.h", std::string(100000, 'x'));
    ASSERT_EQ(chmod("tarnek/base.h", 0640), 0);
    // Only root may give a file to another user; a plugin tree it serves belongs to the server's.
    const bool mayChangeOwner = geteuid() == 0;
    if (mayChangeOwner) {
        ASSERT_EQ(chown("tarnek/base.h", 4321, 4322), 0);
    }

    tarnekArrayStruct model = InitialConfiguration();
    model.devotionValue = "пятнадцать";
    WriteBoth(model);
    EXPECT_EQ(ReadBytes("tarnek/base.h"), ReadBytes(kData / "base.h.expected"));
    EXPECT_EQ(fs::status("tarnek/base.h").permissions(), fs::perms(0640));
    struct stat owner {};
    ASSERT_EQ(stat("tarnek/base.h", &owner), 0);
    if (mayChangeOwner) {
        EXPECT_EQ(std::pair(owner.st_uid, owner.st_gid), std::pair(4321u, 4322u));
    }
    EXPECT_TRUE(fs::is_symlink("tarnek/skills.inl"));
    std::string expected = ReadBytes(kData / "skills.inl.expected");
    expected.replace(expected.find("p_devotion = 15 //"), 18,
                     "p_devotion = \xEF\xFF\xF2\xED\xE0\xE4\xF6\xE0\xF2\xFC //");
    EXPECT_EQ(ReadBytes("elsewhere/skills.inl"), expected);
    EXPECT_EQ(folder.Listing().size(), 5u);  // no temporary file left behind
#endif
}

TEST(SourceText, ValuesAreWrittenVerbatimWhateverTheyHold)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.xpLevelShortTerm = {"abc", "1 000", "", " 5"};
    model.xpGivenSaved = {"7"};
    model.vampiricList = {"0,5"};
    model.levelCountText = " 40abc";
    model.devotionValue = "";
    model.phoenixList.set(2, "");
    model.blinkList.clear();

    const std::string base = xpBaseStruct::BaseHeaderText(model);
    EXPECT_NE(base.find("\r\nnew iXPLevelShortTerm[MAX_LEVELS+1] = {abc,\r\n1 000,\r\n,\r\n 5\r\n};\r\n"),
              std::string::npos);
    EXPECT_TRUE(base.ends_with("60\r\n};\r\nnew iXPGivenSaved[MAX_LEVELS+1] = {7\r\n};"));

    const std::string skills = xpBaseStruct::SkillsIncludeText(model);
    EXPECT_TRUE(skills.starts_with("#define MAX_LEVELS  40abc\r\n#define MAX_SKILLS 36\r\n"
                                   "#define MAX_RACE_SKILLS 13\r\n#define MAX_SKILL_LEVEL 13\r\n\r\n"));
    for (const char* expected :
         {"\r\n\r\nnew const Float:p_vampiric[MAX_SKILL_LEVEL] = {0,5\r\n}; //Vampiric Aura (skill 1)\r\n",
          "\r\nnew const p_devotion =  //Devotion Aura (skill 2)\r\n",
          "\r\n#define MAX_PERCENT_PHOENIX \r\n#define MIN_PERCENT_FAN",  // last(...) of an empty last entry
          "\r\n#define MAX_PERCENT_BLINK \r\n\r\n",
          "\r\nnew const Float:p_phoenix[MAX_SKILL_LEVEL] = {0.333,\r\n0.667,\r\n\r\n}; //Phoenix",
          "\r\nnew const Float:p_blink[MAX_SKILL_LEVEL] = {}; //Blink (skill 2)\r\n"})
        EXPECT_NE(skills.find(expected), std::string::npos) << expected;
}

TEST(SourceText, EveryMaximumChanceIsNormalisedAndListMaximaAreNot)
{
    // The normalisation's own cases are the level model's; here every chance must get it.
    for (const auto& [typed, written] : std::map<std::string, std::string>{{"", "1.0"}, {"25", "25.0"}}) {
        tarnekArrayStruct model = InitialConfiguration();
        for (const ParameterDescriptor& chance : Parameters())
            if (chance.isChance())
                model.*chance.text = typed;
        for (ValueList* list : {&model.phoenixList, &model.blinkList, &model.ankhList, &model.hardenList})
            list->set(list->size() - 1, typed);

        const std::string skills = xpBaseStruct::SkillsIncludeText(model);
        for (const char* name :
             {"EVASION", "FAN", "IMPALE", "BANISH", "HEX", "BASH", "SHADOW", "CARRION", "CONCOCTION", "ORB"})
            EXPECT_EQ(Define(skills, std::string("MAX_PERCENT_") + name), written)
                << name << " typed '" << typed << "'";
        for (const char* fromList : {"PHOENIX", "BLINK", "ANKH"})
            EXPECT_EQ(Define(skills, std::string("MAX_PERCENT_") + fromList), typed) << fromList;
        EXPECT_EQ(Define(skills, "MAX_PERCENT_HARDEN"), typed + "   //p_harden");
    }
}

// The writers replace a file only once its whole new text is on disk.
TEST_F(GeneratedSources, MissingFolderGivesOneMessagePerFileAndCreatesNothing)
{
    fs::remove("tarnek");
    EXPECT_FALSE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    EXPECT_FALSE(writer.WriteSkillsInclude(InitialConfiguration(), sink));
    ExpectWriteErrors({kFolderMissing, kFolderMissing});
    EXPECT_TRUE(folder.Listing().empty());
}

TEST_F(GeneratedSources, TargetThatCannotBeReplacedStaysAndTheOtherFileIsStillWritten)
{
    fs::create_directories("tarnek/base.h");
    WriteBytes("tarnek/base.h/keep", "kept");
    EXPECT_FALSE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    EXPECT_TRUE(writer.WriteSkillsInclude(InitialConfiguration(), sink));
    ExpectWriteErrors({kTargetIsFolder});
    EXPECT_EQ(ReadBytes("tarnek/base.h/keep"), "kept");
    EXPECT_EQ(folder.Listing(),
              (std::vector<std::string>{"tarnek", "tarnek/base.h", "tarnek/base.h/keep", "tarnek/skills.inl"}));
}

TEST_F(GeneratedSources, WritesCutShortLeaveThePreviousFilesUntouched)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no per-process limit on file size to cut a write short";
#else
    WriteBytes("tarnek/base.h", "// the previous base.h\r\n");
    WriteBytes("tarnek/skills.inl", "// the previous skills.inl\r\n");
    WithFileSizeLimit(64, [&] {
        EXPECT_FALSE(writer.WriteBaseHeader(InitialConfiguration(), sink));
        EXPECT_FALSE(writer.WriteSkillsInclude(InitialConfiguration(), sink));
    });
    ExpectWriteErrors({EFBIG, EFBIG});
    EXPECT_EQ(ReadBytes("tarnek/base.h"), "// the previous base.h\r\n");
    EXPECT_EQ(ReadBytes("tarnek/skills.inl"), "// the previous skills.inl\r\n");
    EXPECT_EQ(folder.Listing(), (std::vector<std::string>{"tarnek", "tarnek/base.h", "tarnek/skills.inl"}));
#endif
}

#ifdef _WIN32
// Another run of a program of ours: the stand-in compiler, started in dir, which ends once
// dir holds "go".
PROCESS_INFORMATION StartOtherRun(const fs::path& dir)
{
    fs::create_directories(dir);
    std::wstring commandLine = L"\"" + fs::path(TARNEK_COMPILE_STAND_IN).wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION run{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &run))
        throw std::runtime_error("cannot start the stand-in");
    CloseHandle(run.hThread);
    return run;
}

void EndOtherRun(const PROCESS_INFORMATION& run, const fs::path& dir)
{
    WriteBytes(dir / "go", "");
    WaitForSingleObject(run.hProcess, INFINITE);
    CloseHandle(run.hProcess);
    fs::remove_all(dir);
}
#endif

TEST_F(GeneratedSources, TemporariesOfEndedRunsAreRemovedBeforeWriting)
{
#ifdef _WIN32
    const PROCESS_INFORMATION endedProcess = StartOtherRun("ended");
    EndOtherRun(endedProcess, "ended");
    const PROCESS_INFORMATION runningProcess = StartOtherRun("running");
    const unsigned long ended = endedProcess.dwProcessId, running = runningProcess.dwProcessId;
#else
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    waitpid(ended, nullptr, 0);
    const pid_t running = getppid();
#endif
    const std::string endedRun = "tarnek/.base.h.tmp-" + std::to_string(ended) + "-4";
    const std::string runningRun = "tarnek/.base.h.tmp-" + std::to_string(running) + "-0";
    for (const std::string& name : {endedRun, runningRun, std::string("tarnek/.base.h.tmp-mine"),
                                    "tarnek/.skills.inl.tmp-" + std::to_string(ended) + "-1"})
        WriteBytes(name, "left behind");

    EXPECT_TRUE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    EXPECT_FALSE(fs::exists(endedRun));
    EXPECT_TRUE(fs::exists(runningRun));
    EXPECT_TRUE(fs::exists("tarnek/.base.h.tmp-mine"));
#ifdef _WIN32
    EndOtherRun(runningProcess, "running");
#endif
    EXPECT_EQ(folder.Listing().size(), 5u);  // the skills.inl one goes when skills.inl is written
}

TEST_F(GeneratedSources, FolderThatRefusesNewFilesGetsItsSourcesWrittenInPlaceSaidOnce)
{
#ifdef _WIN32
    GTEST_SKIP() << "folder permission bits and the file size limit are POSIX";
#else
    WriteBytes("tarnek/base.h", "// the previous base.h\r\n");
    WriteBytes("tarnek/skills.inl", std::string(100000, 'y'));
    fs::permissions("tarnek", fs::perms::owner_read | fs::perms::owner_exec);
    WithFilePermissionsEnforced([&] {
        // Too little room for the new text: refused before the previous one is touched.
        WithFileSizeLimit(64, [&] { EXPECT_FALSE(writer.WriteBaseHeader(InitialConfiguration(), sink)); });
        ExpectWriteErrors({EFBIG});
        EXPECT_EQ(ReadBytes("tarnek/base.h"), "// the previous base.h\r\n");
        sink.messages.clear();

        for (int save = 0; save < 2; ++save) {
            EXPECT_TRUE(writer.WriteBaseHeader(InitialConfiguration(), sink));
            EXPECT_TRUE(writer.WriteSkillsInclude(InitialConfiguration(), sink));
        }
    });
    fs::permissions("tarnek", fs::perms::owner_all);
    EXPECT_EQ(ReadBytes("tarnek/base.h"), ReadBytes(kData / "base.h.expected"));
    EXPECT_EQ(ReadBytes("tarnek/skills.inl"), ReadBytes(kData / "skills.inl.expected"));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Information);
    EXPECT_NE(sink.messages[0].text.find(folder.path().string() + "/tarnek"), std::string::npos);
#endif
}

#ifdef _WIN32
// A file that another program has open (an editor, the compiler reading it) without
// allowing it to be deleted cannot be replaced on Windows.
TEST_F(GeneratedSources, FileHeldOpenIsKeptAndReplacedWholeOnceReleased)
{
    const std::string previous(100000, 'x');
    WriteBytes("tarnek/base.h", previous);
    HANDLE held = CreateFileW(L"tarnek\\base.h", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    CloseHandle(held);
    ExpectWriteErrors({ERROR_ACCESS_DENIED});
    EXPECT_EQ(ReadBytes("tarnek/base.h"), previous);
    EXPECT_EQ(folder.Listing(), (std::vector<std::string>{"tarnek", "tarnek/base.h"}));

    EXPECT_TRUE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    EXPECT_EQ(ReadBytes("tarnek/base.h"), ReadBytes(kData / "base.h.expected"));
    EXPECT_EQ(folder.Listing(), (std::vector<std::string>{"tarnek", "tarnek/base.h"}));
}
#endif

}  // namespace
