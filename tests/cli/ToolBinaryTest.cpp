// The real binary on temporary plugin directories: exit statuses, messages, and what it
// leaves in the database and the two generated sources.

#include <unistd.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "Descriptors.h"
#include "StreamMessageSink.h"
#include "ToolProcess.h"
#include "tarnekArrayStruct.h"
#include "vloxBuildTarnekStruct.h"
#include "xpBaseStruct.h"

using Json = nlohmann::ordered_json;

namespace {

struct Snapshot {
    std::string database;
    std::string base;
    std::string skills;
    bool operator==(const Snapshot&) const = default;
};

class ToolBinaryTest : public ::testing::Test {
protected:
    Snapshot Take() const
    {
        return {ReadFile(dir.database()), ReadFile(dir.baseHeader()), ReadFile(dir.skillsInclude())};
    }

    // A database and both sources as a first save leaves them.
    void Initialise() const
    {
        ASSERT_EQ(dir.Run({"generate"}).status, 0);
        ASSERT_FALSE(ReadFile(dir.baseHeader()).empty());
    }

    Json Exported() const
    {
        const ToolResult result = dir.Run({"export"});
        EXPECT_EQ(result.status, 0) << result.err;
        return Json::parse(result.out);
    }

    TempPluginDir dir;
};

TEST_F(ToolBinaryTest, HelpAndUsageErrorsTouchNothing)
{
    const ToolResult help = dir.Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: tarnek-levels", 0), 0u);
    for (const char* command : {"show", "levels", "fill", "set", "generate", "compile", "export", "import"}) {
        const ToolResult own = dir.Run({command, "--help"});
        EXPECT_EQ(own.status, 0) << command;
        EXPECT_NE(own.out.find(std::string("usage: tarnek-levels [-C DIR] ") + command), std::string::npos);
        EXPECT_EQ(dir.Run({"help", command}).out, own.out);
    }

    // The parser's own cases are tested in-process; these are the ones that reach names and values.
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"levels", "ten", "--yes"},
        {"fill", "xpLevelSaved", "novalue"},
        {"set", "xpLevelSave", "5"},
        {"set", "xpLevelSaved", "5"},
        {"set", "levelCountText", "13"},
        {"set", "vampiricIncrement", "0.1\n#define X"},
        {"fill", "vampiricList", "xpLevelSavedMultiplier=3"},
        {"fill", "vampiricIncrement"},
        {"fill", "xpGivenSaved", "levelCountText=11"},
    };
    for (const auto& args : wrong) {
        const ToolResult result = dir.Run(args);
        const std::string shown = args.empty() ? "(nothing)" : args.front();
        EXPECT_EQ(result.status, 2) << shown << ": " << result.err;
        EXPECT_EQ(result.err.rfind("tarnek-levels: ", 0), 0u) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "TarnekChangeLevelDatabase"));
}

TEST_F(ToolBinaryTest, UnknownNamesSuggestTheNearest)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"set", "xpLevelSave", "5"}, "xpLevelSaved"},
        {{"set", "OrbMaxChanse", "1"}, "orbMaxChance"},
        {{"fill", "healList", "healMaxPercnt=3"}, "healMaxPercent"},
        {{"set", "hexLst[0]", "1"}, "hexList"},
    };
    for (const auto& [args, nearest] : cases) {
        const ToolResult result = dir.Run(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("did you mean \"" + nearest + "\""), std::string::npos) << result.err;
    }
}

TEST_F(ToolBinaryTest, ShowListsEveryNameWithItsValue)
{
    const ToolResult shown = dir.Run({"show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_TRUE(std::filesystem::exists(dir.database()));
    for (const ListDescriptor& d : ValueLists())
        EXPECT_NE(shown.out.find("\n" + std::string(d.field) + "["), std::string::npos) << d.field;
    for (const ParameterDescriptor& d : Parameters())
        EXPECT_NE(shown.out.find("\n" + std::string(d.field) + " "), std::string::npos) << d.field;
    EXPECT_NE(shown.out.find("levelCountText  "), std::string::npos);
    EXPECT_NE(shown.out.find("\ndevotionValue  "), std::string::npos);
    EXPECT_NE(shown.out.find(
                  "400 2400 4800 8000 12000 16800 22400 28800 36000 44000 52800\n"),
              std::string::npos);
    EXPECT_NE(shown.out.find("healList[0..2]"), std::string::npos);

    const ToolResult json = dir.Run({"show", "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, dir.Run({"export"}).out);
}

TEST_F(ToolBinaryTest, LevelsRefusesWithoutChangingAnything)
{
    Initialise();
    const Snapshot before = Take();

    const ToolResult low = dir.Run({"levels", "9", "--yes"});
    EXPECT_EQ(low.status, 1);
    EXPECT_NE(low.err.find("Нельзя ставить ниже 10 уровня."), std::string::npos);
    EXPECT_EQ(dir.Run({"levels", "-5", "--yes"}).status, 1);

    // Standard input is a file here, so nobody can be asked.
    const ToolResult unasked = dir.Run({"levels", "13"}, "y\n");
    EXPECT_EQ(unasked.status, 1);
    EXPECT_NE(unasked.err.find("--yes"), std::string::npos);

    for (const char* count : {"11", "103", "2147483647"}) {
        const ToolResult odd = dir.Run({"levels", count, "--yes"});
        EXPECT_EQ(odd.status, 1) << count;
        EXPECT_NE(odd.err.find("10, 13, 16"), std::string::npos);
    }
    EXPECT_EQ(Take(), before);
}

TEST_F(ToolBinaryTest, LevelsMatchesTheEditorsLevelChange)
{
    // The tool under a locale that writes 0,5, to catch any locale-dependent number.
    const ToolResult result =
        RunBinary({{"-C", dir.path().string(), "levels", "13", "--yes"}, {}, {}, {"LC_ALL=ru_RU.UTF-8"}});
    ASSERT_EQ(result.status, 0) << result.err;

    // What the editor's "Создать уровни" does with 13 chosen and Yes answered.
    TempPluginDir editor;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(editor.path());
    {
        StreamMessageSink sink(std::cerr);
        vloxBuildTarnekStruct database(sink);
        tarnekArrayStruct model;
        ASSERT_TRUE(database.OpenDatabase());
        database.LoadAll(model);
        model.DeriveLevelCounts();
        model.levelCountText = "13";
        RecomputeAllLists(model);
        xpBaseStruct writer;
        database.SaveAll(model, writer);
        database.CloseDatabase();
        EXPECT_FALSE(sink.failureShown());
    }
    std::filesystem::current_path(previous);

    EXPECT_EQ(ReadFile(dir.baseHeader()), ReadFile(editor.baseHeader()));
    EXPECT_EQ(ReadFile(dir.skillsInclude()), ReadFile(editor.skillsInclude()));
    const auto rows = DatabaseRows(dir.database());
    EXPECT_EQ(rows, DatabaseRows(editor.database()));
    EXPECT_EQ(rows.at("XP за убийство").size(), 14u);
    EXPECT_EQ(rows.at("Скилы 3 уровня").size(), 4u);
    EXPECT_EQ(rows.at("Скилы 4 уровня").size(), 14u);
    ASSERT_EQ(rows.at("Количество уровней").size(), 1u);
    EXPECT_EQ(rows.at("Количество уровней")[0].back(), "13");
}

TEST_F(ToolBinaryTest, FillSavesAsTheOwningWindow)
{
    Initialise();
    const Snapshot initial = Take();

    ASSERT_EQ(dir.Run({"fill", "xpLevelSaved", "xpLevelSavedMultiplier=3", "xpLevelSavedInitial=100"}).status, 0);
    Json json = Exported();
    EXPECT_EQ(json["xpLevelSavedMultiplier"], "3");
    EXPECT_EQ(json["xpLevelSavedInitial"], "100");
    EXPECT_EQ(json["xpLevelSaved"].size(), 11u);
    EXPECT_EQ(json["xpLevelSaved"][0], "100");
    const std::string last = json["xpLevelSaved"][10];
    EXPECT_NE(ReadFile(dir.baseHeader()).find(last), std::string::npos);
    EXPECT_EQ(ReadFile(dir.skillsInclude()), initial.skills);

    // A skill fill saves its tier (parameters included) and regenerates the sources.
    ASSERT_EQ(dir.Run({"fill", "vampiricList", "vampiricIncrement=0.05"}).status, 0);
    ASSERT_EQ(dir.Run({"fill", "unholyList", "unholyIncrement=5", "devotionValue=20"}).status, 0);
    json = Exported();
    EXPECT_EQ(json["vampiricIncrement"], "0.05");
    EXPECT_EQ(json["vampiricList"], Json({"0.05", "0.1", "0.15"}));
    EXPECT_EQ(json["unholyList"], Json({"265.0", "270.0", "275.0"}));
    EXPECT_EQ(json["devotionValue"], "20");
    EXPECT_NE(ReadFile(dir.skillsInclude()), initial.skills);
    EXPECT_NE(ReadFile(dir.skillsInclude()).find("270.0"), std::string::npos);
}

TEST_F(ToolBinaryTest, SetChangesOneTextAndRefusesAMissingIndex)
{
    Initialise();
    ASSERT_EQ(dir.Run({"set", "xpLevelSaved[3]", "9001"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "evasionMaxChance", "5"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "orbList[10]", "0.77"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "xpGivenSavedIncrement", "-3"}).status, 0);
    const Json json = Exported();
    EXPECT_EQ(json["xpLevelSaved"][3], "9001");
    EXPECT_EQ(json["evasionMaxChance"], "5.0");  // a tier's save writes chances normalised
    EXPECT_EQ(json["orbList"][10], "0.77");
    EXPECT_EQ(json["xpGivenSavedIncrement"], "-3");
    EXPECT_NE(ReadFile(dir.baseHeader()).find("9001"), std::string::npos);
    EXPECT_NE(ReadFile(dir.skillsInclude()).find("0.77"), std::string::npos);

    const Snapshot before = Take();
    const ToolResult missing = dir.Run({"set", "xpLevelSaved[11]", "1"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("xpLevelSaved[0] to xpLevelSaved[10]"), std::string::npos) << missing.err;
    EXPECT_EQ(dir.Run({"set", "vampiricList[99999999999999999999999]", "1"}).status, 1);
    EXPECT_EQ(Take(), before);
}

TEST_F(ToolBinaryTest, GenerateRewritesBothSources)
{
    Initialise();
    const Snapshot saved = Take();
    std::filesystem::remove(dir.baseHeader());
    WriteFile(dir.skillsInclude(), "stale");
    ASSERT_EQ(dir.Run({"generate"}).status, 0);
    EXPECT_EQ(Take(), saved);

    std::filesystem::remove_all(dir.path() / "tarnek");
    const ToolResult noFolder = dir.Run({"generate"});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_NE(noFolder.err.find("Не может записать"), std::string::npos) << noFolder.err;
}

TEST_F(ToolBinaryTest, CompileSavesDeletesTheOldPluginAndStartsTheCompiler)
{
    std::filesystem::create_directory(dir.path() / "compiled");
    const auto plugin = dir.path() / "compiled" / "vloxTarnekMod.amxx";
    WriteFile(plugin, "old");

    // Without a compiler the save still happens; the script learns that nothing was built.
    const ToolResult missing = dir.Run({"compile"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("not compiled"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(plugin));
    EXPECT_FALSE(ReadFile(dir.baseHeader()).empty());
    EXPECT_FALSE(ReadFile(dir.skillsInclude()).empty());

    const auto compiler = dir.path() / "compile.sh";
    WriteFile(compiler, "#!/bin/sh\npwd > compiler-ran\n");
    std::filesystem::permissions(compiler, std::filesystem::perms::owner_all);
    WriteFile(plugin, "old");
    const ToolResult started = dir.Run({"compile"});
    EXPECT_EQ(started.status, 0) << started.err;
    EXPECT_FALSE(std::filesystem::exists(plugin));
    const auto ran = dir.path() / "compiler-ran";
    for (int i = 0; i < 100 && ReadFile(ran).empty(); ++i)
        usleep(50'000);
    EXPECT_EQ(ReadFile(ran), std::filesystem::canonical(dir.path()).string() + "\n");
}

TEST_F(ToolBinaryTest, ExportThenImportReproducesTheSources)
{
    ASSERT_EQ(dir.Run({"levels", "16", "--yes"}).status, 0);
    const ToolResult marked = dir.Run({"set", "xpLevelSaved[2]", "тысяча"});
    ASSERT_EQ(marked.status, 0);
    EXPECT_NE(marked.err.find("warning: xpLevelSaved[2]"), std::string::npos);
    ASSERT_EQ(dir.Run({"set", "hexMaxChance", " 2"}).status, 0);
    const auto file = dir.path() / "configuration.json";
    ASSERT_EQ(dir.Run({"export", file.string()}).status, 0);
    const std::string exported = ReadFile(file);
    EXPECT_EQ(exported, dir.Run({"export"}).out);

    TempPluginDir fromFile;
    TempPluginDir fromStdin;
    ASSERT_EQ(fromFile.Run({"import", file.string()}).status, 0);
    ASSERT_EQ(fromStdin.Run({"import"}, exported).status, 0);
    for (const TempPluginDir* other : {&fromFile, &fromStdin}) {
        EXPECT_EQ(ReadFile(other->baseHeader()), ReadFile(dir.baseHeader()));
        EXPECT_EQ(ReadFile(other->skillsInclude()), ReadFile(dir.skillsInclude()));
        EXPECT_EQ(other->Run({"export"}).out, exported);
    }
}

TEST_F(ToolBinaryTest, ImportRefusesAnyOtherShapeAndChangesNothing)
{
    Initialise();
    const Snapshot before = Take();
    const Json valid = Exported();
    auto changed = [&](auto edit) {
        Json json = valid;
        edit(json);
        return json.dump();
    };
    std::string duplicated = valid.dump();
    duplicated.insert(1, "\"hexList\":[\"1\",\"2\",\"3\"],");

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{\"levelCountText\": ", "not valid JSON"},
        {"[]", "one object"},
        {changed([](Json& j) { j["xpLevelSavedd"] = "1"; }), "xpLevelSavedd"},
        {changed([](Json& j) { j["hexList"] = "0.1"; }), "hexList"},
        {changed([](Json& j) { j["hexList"][1] = 0.1; }), "hexList[1]"},
        {changed([](Json& j) { j["orbMaxChance"] = 1; }), "orbMaxChance"},
        {changed([](Json& j) { j.erase("devotionValue"); }), "devotionValue"},
        {changed([](Json& j) { j["carrionList"].push_back("0.2"); }), "carrionList"},
        {changed([](Json& j) {
             for (const ListDescriptor& d : ListsOfTier(Tier::Two))
                 j[std::string(d.field)] = Json::array();
         }),
         "devotionValue"},
        {changed([](Json& j) { j["vampiricIncrement"] = "0.1\r\n}"; }), "vampiricIncrement"},
        {duplicated, "hexList"},
    };
    for (const auto& [input, named] : cases) {
        const ToolResult result = dir.Run({"import"}, input);
        EXPECT_EQ(result.status, 1) << named;
        EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
        EXPECT_EQ(Take(), before) << named;
    }
}

TEST_F(ToolBinaryTest, WorksOnTheCurrentDirectoryAndReportsDatabaseErrors)
{
    const ToolResult here = RunBinary({{"show"}, {}, dir.path(), {}});
    EXPECT_EQ(here.status, 0) << here.err;
    EXPECT_TRUE(std::filesystem::exists(dir.database()));

    EXPECT_EQ(dir.Run({"-C", "no-such-directory", "show"}).status, 1);

    // An outdated database is replaced as the editor does it, but not without a word.
    ASSERT_EQ(dir.Run({"set", "devotionValue", "99"}).status, 0);
    SQLite::Database(dir.database().string(), SQLite::OPEN_READWRITE).exec("UPDATE \"Версия\" SET \"Версия\" = '2.0'");
    const ToolResult outdated = dir.Run({"export"});
    EXPECT_EQ(outdated.status, 0);
    EXPECT_NE(outdated.err.find("outdated"), std::string::npos);
    EXPECT_EQ(Json::parse(outdated.out)["devotionValue"], "15");

    // An existing file is never replaced by opening it; the engine's complaint is shown.
    WriteFile(dir.database(), std::string(4096, 'x'));
    const ToolResult broken = dir.Run({"show"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_FALSE(broken.err.empty());
    EXPECT_EQ(ReadFile(dir.database()), std::string(4096, 'x'));
}

}  // namespace
