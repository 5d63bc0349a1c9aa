// The real binary on temporary plugin directories: exit statuses, messages, and what it
// leaves in the database and the two generated sources.

#ifndef _WIN32
#  include <signal.h>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

#include <array>
#include <fstream>
#include <sstream>

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/Tool.h"
#include "cli/ToolCommand.h"
#include "exchange/ConfigurationJson.h"
#include "exchange/NameLookup.h"
#include "model/Descriptors.h"
#include "pluginsrc/PluginCompiler.h"
#include "tests/cli/ToolProcess.h"

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

namespace {

class Tool : public ::testing::Test {
protected:
    // The database and both sources, byte for byte.
    std::array<std::string, 3> Take() const
    {
        return {ReadBytes(dir.database()), ReadBytes(dir.baseHeader()), ReadBytes(dir.skillsInclude())};
    }
    // A database and both sources as a first save leaves them.
    void Initialise() const { ASSERT_EQ(dir.Run({"generate"}).status, 0); }
    Json Exported() const
    {
        const ToolResult result = dir.Run({"export"});
        EXPECT_EQ(result.status, 0) << result.err;
        return Json::parse(result.out);
    }

    PluginDir dir;
};

// Makes the plugin compiler of the current folder one that prints `output` and, with
// `pluginBytes`, writes a plugin of that size: compile.sh, or the stand-in compile.exe.
void PutCompiler(const std::string& output, std::size_t pluginBytes)
{
#ifdef _WIN32
    fs::copy_file(TARNEK_COMPILE_STAND_IN, "compile.exe", fs::copy_options::overwrite_existing);
    WriteBytes("say", output);
    fs::remove("plugin");
    if (pluginBytes > 0)
        WriteBytes("plugin", std::string(pluginBytes, '\0'));
#else
    std::string script = "#!/bin/sh\ncat <<'EOF'\n" + output + "EOF\n";
    if (pluginBytes > 0)
        script += "mkdir -p compiled && head -c " + std::to_string(pluginBytes) +
                  " /dev/zero > compiled/vloxTarnekMod.amxx\n";
    WriteBytes("compile.sh", script);
    fs::permissions("compile.sh", fs::perms::owner_all);
#endif
}

TEST_F(Tool, HelpAndUsageErrorsTouchNothing)
{
    const ToolResult help = dir.Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: tarnek-levels"));
    for (const ToolCommand& row : ToolCommands()) {
        const std::string command(row.name);
        EXPECT_NE(help.out.find("\n  " + std::string(row.synopsis) + "  "), std::string::npos) << command;
        const ToolResult own = dir.Run({command, "--help"});
        EXPECT_EQ(own.status, 0) << command;
        EXPECT_NE(own.out.find("usage: tarnek-levels [-C DIR] " + command), std::string::npos);
        EXPECT_EQ(dir.Run({"help", command}).out, own.out);
    }

    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
        {{}, "no command given"},
        {{"-C"}, "-C needs a directory"},
        {{"-x", "show"}, "unknown option '-x'"},
        {{"help", "nothing"}, "no command 'nothing'"},
        {{"show", "--yes"}, "unknown option '--yes'"},
        {{"levels", "ten", "--yes"}, "\"ten\""},
        {{"levels", "13", "16"}, "'16'"},
        {{"fill", "hexList", "=3"}, "NAME=VALUE"},
        {{"set", "a", "b", "c"}, "NAME and VALUE"},
        {{"import", "a", "b"}, "'b'"},
        {{"progression", "3"}, "'3'"},
        {{"compile", "--json", "--detach"}, "does not wait"},
        {{"set", "xpLevelSave", "5"}, "did you mean \"xpLevelSaved\""},
        {{"set", "OrbMaxChanse", "1"}, "did you mean \"orbMaxChance\""},
        {{"set", "XPLEVELSAVD[0]", "1"}, "did you mean \"xpLevelSaved\""},
        {{"set", "shadow[0]", "1"}, "did you mean \"shadowList\""},
        {{"set", "xpLevelSaved", "5"}, "xpLevelSaved[i]"},
        {{"set", "levelCountText", "13"}, "levels N"},
        {{"fill", "vampiricList", "xpLevelSavedMultiplier=3"}, "main window"},
        {{"fill", "vampiricIncrement"}, "not a list"},
        {{"fill", "xpLevelSaved", "levelCountText=13"}, "a fill keeps the level count"},
        {{"shwo"}, "no command 'shwo'; did you mean 'show'?"},
        {{std::string(30'000, 'q')}, "(30000 bytes)"},  // a Windows command line holds 32,767
        {{"set", "devotionValue[0]", "1"}, "without [i]"},
        {{"fit", "weekly", "--kills", "5"}, "shortTerm (kq4_save_xp 0) or saved"},
        {{"fit", "saved", "--hours", "-5", "--kills-per-hour", "60"}, "--hours must be more than 0"},
        {{"fit", "saved", "--hours", "8"}, "go together"},
        {{"fit", "saved", "--kills", "5", "--parameter", "xpGivenShortTermIncrement"}, "not a parameter of the saved"},
        {{"fit", "saved", "--kills"}, "--kills needs a value"},
    };
    for (const auto& [args, named] : wrong) {
        const ToolResult result = dir.Run(args);
        EXPECT_EQ(result.status, 2) << named << ": " << result.err;
        EXPECT_TRUE(result.err.starts_with("tarnek-levels: ")) << result.err;
        EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
        // The pointer to help names the command whose usage was wrong.
        const std::string command = !args.empty() && FindCommand(args[0]) ? args[0] + " " : "";
        EXPECT_TRUE(result.err.ends_with("Try \"tarnek-levels " + command + "--help\".\n")) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
    for (const char* cell : {"orbList[]", "orbList[-1]", "orbList[1", "orbList[1]x"})
        EXPECT_NE(dir.Run({"set", cell, "1"}).err.find("is not LIST[i]"), std::string::npos) << cell;
    // What would break a source line or its conversion never gets in.
    std::vector<std::string> values = {"0.1\n#define X", "\t", "\x7f"};
#ifndef _WIN32  // POSIX only: a Windows command line is UTF-16, so ill-formed UTF-8 cannot be handed over
    values.insert(values.end(), {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"});
#endif
    for (const std::string& value : values)
        EXPECT_EQ(dir.Run({"set", "vampiricIncrement", value}).status, 1) << value;
    EXPECT_FALSE(fs::exists(dir.path() / "TarnekChangeLevelDatabase"));
}

TEST(OutsideAPluginFolder, CommandsRefuseAndCreateNothing)
{
    TestFolder empty;
    const std::string expected =
        "tarnek-levels: " + empty.path().string() + " is not a plugin folder (no tarnek/ inside); use -C DIR\n";
    const std::vector<std::vector<std::string>> commands = {
        {"show"},
        {"levels", "13", "--yes"},
        {"compile"},
        {"import"},
    };
    for (const std::vector<std::string>& args : commands) {
        const ToolResult result = RunBinary(args, "{}");
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.err, expected);
    }
    EXPECT_TRUE(fs::is_empty(empty.path()));
}

// Every name that show lists resolves to itself: in-process, as a run per name would be slow.
TEST(Names, EveryKnownNameResolves)
{
    for (std::string_view name : KnownNames()) {
        const auto resolved = ResolveName(name);
        ASSERT_TRUE(resolved) << name;
        EXPECT_EQ(resolved->field, name);
    }
}

TEST_F(Tool, ShowListsEveryNameWithItsValue)
{
    ASSERT_EQ(dir.Run({"set", "devotionValue", "a b"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "vampiricIncrement", ""}).status, 0);
    const ToolResult shown = dir.Run({"show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    for (const ListDescriptor& d : ValueLists())
        EXPECT_NE(shown.out.find("\n" + std::string(d.field) + "["), std::string::npos) << d.field;
    for (const ParameterDescriptor& d : Parameters())
        EXPECT_NE(shown.out.find("\n" + std::string(d.field) + " "), std::string::npos) << d.field;
    auto value = [&](const std::string& name) {  // the rest of name's line, after the padding
        const std::size_t line = shown.out.find("\n" + name + " ");
        const std::size_t at = shown.out.find_first_not_of(' ', line + name.size() + 1);
        return line == std::string::npos ? "<missing>" : shown.out.substr(at, shown.out.find('\n', at) - at);
    };
    EXPECT_EQ(value("levelCountText"), "10");
    EXPECT_EQ(value("devotionValue"), "\"a b\"");  // quoted where it would read ambiguously
    EXPECT_EQ(value("vampiricIncrement"), "\"\"");
    EXPECT_EQ(value("xpLevelSaved[0..10]"), "400 2400 4800 8000 12000 16800 22400 28800 36000 44000 52800");
    EXPECT_EQ(dir.Run({"show", "--json"}).out, dir.Run({"export"}).out);
}

TEST_F(Tool, LevelsRefusesWithoutChangingAnything)
{
    Initialise();
    const auto before = Take();
    const ToolResult low = dir.Run({"levels", "9", "--yes"});
    EXPECT_EQ(low.status, 1);
    EXPECT_NE(low.err.find("Нельзя ставить ниже 10 уровня."), std::string::npos);
    EXPECT_EQ(dir.Run({"levels", "-5", "--yes"}).status, 1);

    // Standard input is a file here, so nobody can be asked.
    const ToolResult unasked = dir.Run({"levels", "13"}, "y\n");
    EXPECT_EQ(unasked.status, 1);
    EXPECT_NE(unasked.err.find("--yes"), std::string::npos);

    for (const auto& [count, said] : std::vector<std::pair<std::string, std::string>>{
             {"11", "10, 13, 16"},
             {"103", "Отказ в создании уровней: Нельзя ставить выше 100 уровня.\n"},
             {"2147483647", "Отказ в создании уровней: Нельзя ставить выше 100 уровня.\n"}}) {
        const ToolResult odd = dir.Run({"levels", count, "--yes"});
        EXPECT_EQ(odd.status, 1) << count;
        EXPECT_NE(odd.err.find(said), std::string::npos) << odd.err;
    }
    EXPECT_EQ(Take(), before);
}

// Only a terminal can answer, so this runs in-process with a pretend one.
TEST_F(Tool, LevelsAsksWhenSomeoneCanAnswerAndTakesOnlyYes)
{
    std::string err;
    auto answer = [&](const std::string& typed) {
        std::istringstream in(typed);
        std::ostringstream out, errors;
        ToolStreams io{in, out, errors, true};
        const int status = RunTool(std::vector<std::string>{"levels", "13"}, io);
        err = errors.str();
        return status;
    };
    EXPECT_EQ(answer("n\n"), 1);
    EXPECT_EQ(
        err, "Запрос на изменение уровней:\n Все параметры при изменение количества уровней будут пересчитаны! [y/N] ");
    EXPECT_EQ(answer(""), 1);
    EXPECT_EQ(answer("yes please\n"), 1);
    EXPECT_FALSE(fs::exists(dir.database()));

    EXPECT_EQ(answer("да\n"), 0);
    const TableDump rows = DumpTables(dir.database());
    EXPECT_EQ(rows.at("Количество уровней").at(0).back(), "13");
    EXPECT_EQ(rows.at("Скилы 1 уровня").size(), 4u);
}

TEST_F(Tool, FillSavesAsTheOwningWindow)
{
    Initialise();
    ASSERT_EQ(dir.Run({"fill", "xpLevelSaved", "xpLevelSavedMultiplier=3", "xpLevelSavedInitial=100"}).status, 0);
    Json json = Exported();
    EXPECT_EQ(json["xpLevelSavedMultiplier"], "3");
    EXPECT_EQ(json["xpLevelSaved"][0], "100");

    // A skill fill saves its tier (parameters included) and regenerates the sources; under a
    // locale that writes 0,5, to catch any locale-dependent number.
    SetEnvironment("LC_ALL", "ru_RU.UTF-8");
    const ToolResult decimal = dir.Run({"fill", "vampiricList", "vampiricIncrement=0.05"});
    SetEnvironment("LC_ALL", nullptr);
    ASSERT_EQ(decimal.status, 0) << decimal.err;
    ASSERT_EQ(dir.Run({"fill", "unholyList", "unholyIncrement=5", "devotionValue=2 0"}).status, 0);
    json = Exported();
    EXPECT_EQ(json["vampiricList"], Json({"0.05", "0.1", "0.15"}));
    EXPECT_EQ(json["unholyList"], Json({"265.0", "270.0", "275.0"}));
    EXPECT_EQ(json["devotionValue"], "2 0");
    EXPECT_NE(ReadBytes(dir.skillsInclude()).find("270.0"), std::string::npos);
}

TEST_F(Tool, SetChangesOneTextAndRefusesAMissingIndex)
{
    Initialise();
    ASSERT_EQ(dir.Run({"set", "xpLevelSaved[3]", "9001"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "orbList[10]", "0.77"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "xpGivenSavedIncrement", "-3"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "--", "devotionValue", "-x"}).status, 0);
    const Json json = Exported();
    EXPECT_EQ(json["xpLevelSaved"][3], "9001");
    EXPECT_EQ(json["orbList"][10], "0.77");
    EXPECT_EQ(json["xpGivenSavedIncrement"], "-3");
    EXPECT_EQ(json["devotionValue"], "-x");

    const auto before = Take();
    const ToolResult missing = dir.Run({"set", "xpLevelSaved[11]", "1"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("xpLevelSaved[0] to xpLevelSaved[10]"), std::string::npos) << missing.err;
    EXPECT_EQ(dir.Run({"set", "vampiricList[99999999999999999999999]", "1"}).status, 1);
    EXPECT_EQ(Take(), before);
}

// A text that could carry code into the plugin is refused at every entry, and no file changes.
TEST_F(Tool, ValuesThatWouldBeCodeAreRefusedAndChangeNothing)
{
    Initialise();
    const auto before = Take();
    Json imported = Exported();
    imported["xpLevelSaved"][3] = "0};public pwned(){server_cmd(\"quit\");}new pwn_tail[]={0";
    const std::vector<std::pair<ToolResult, std::string>> runs = {
        {dir.Run({"set", "devotionValue", "15;public pwned(){server_cmd(\"quit\");}new pwn_tail=0"}), "\";\""},
        {dir.Run({"set", "evasionMaxChance", "1.0+float(server_cmd(\"quit\"))"}), "\"(\""},
        {dir.Run({"set", "xpLevelSaved[3]", "#define pwned() server_cmd(\"quit\")"}), "\"#\""},
        {dir.Run({"set", "xpLevelSaved[3]", "1+g_count++"}), "\"++\""},
        {dir.Run({"set", "xpLevelSaved[3]", std::string(65, '1')}), "longer than 64"},
        {dir.Run({"fill", "vampiricList", "vampiricIncrement=0.1/2"}), "\"/\""},
        {dir.Run({"import"}, imported.dump()), "xpLevelSaved[3]"},
    };
    for (const auto& [result, named] : runs) {
        EXPECT_EQ(result.status, 1) << named;
        EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
    }
    EXPECT_EQ(Take(), before);
}

TEST_F(Tool, CompileDetachedSavesDeletesTheOldPluginAndStartsTheCompiler)
{
    fs::create_directory("compiled");
    WriteBytes("compiled/vloxTarnekMod.amxx", "old");
    // Without a compiler the save still happens; the script learns that nothing was built.
    const ToolResult missing = dir.Run({"compile", "--detach"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("the plugin compiler " + PluginCompilerPath(dir.path()).string() + " was not found"),
              std::string::npos)
        << missing.err;
    EXPECT_FALSE(fs::exists("compiled/vloxTarnekMod.amxx"));
    EXPECT_TRUE(fs::exists(dir.skillsInclude()));

    PutCompiler("", 0);
    const ToolResult started = dir.Run({"compile", "--detach"});
    EXPECT_EQ(started.status, 0) << started.err;
}

TEST_F(Tool, CompileWaitsAndSucceedsOnlyWithAPluginAndNoError)
{
#ifdef _WIN32
    // In a folder named with a space and Cyrillic letters, as many admins' are.
    fs::create_directories(u8"Папка плагина/tarnek");
    fs::current_path(u8"Папка плагина");
#endif
    PutCompiler("vloxTarnekMod.sma(3) : warning 203: symbol is never used\n", 815);
    const ToolResult compiled = RunBinary({"compile"});
    EXPECT_EQ(compiled.status, 0) << compiled.err;
    EXPECT_EQ(compiled.out, "vloxTarnekMod.sma(3) : warning 203: symbol is never used\n"
                            "compiled: compiled/vloxTarnekMod.amxx (815 bytes)\n");

    // The stock compile.sh exits 0 after errors, and an old plugin must not count.
    PutCompiler("base.h(17) : error 017: undefined symbol \"abc\"\n// skills.inl(1) : fatal error 100: cannot read\n",
                0);
    const ToolResult failed = RunBinary({"compile"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("compile failed: 2 errors\n"
                              "  base.h(17): error 017: undefined symbol \"abc\" [xpLevelSaved, level 3]\n"
                              "  skills.inl(1): fatal error 100: cannot read\n"),
              std::string::npos)
        << failed.out;
}

TEST_F(Tool, InterruptedCompileLeavesNoCompilerRunning)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: Ctrl+C reaches no other console's program; on Windows the compiler runs in a job "
                    "that ends with the tool";
#else
    WriteBytes("compile.sh", "#!/bin/sh\nsleep 300 &\necho $$ > group.tmp && mv group.tmp group\nsleep 300\n");
    fs::permissions("compile.sh", fs::perms::owner_all);
    const pid_t tool = StartBinary({"compile"});
    for (int i = 0; i < 400 && !fs::exists("group"); ++i)
        usleep(25'000);
    ASSERT_TRUE(fs::exists("group"));
    kill(tool, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(tool, &status, 0), tool);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    // Killed, the background sleep takes its new parent a moment to reap.
    const pid_t group = std::stoi(ReadBytes("group"));
    for (int i = 0; i < 100 && kill(-group, 0) == 0; ++i)
        usleep(20'000);
    EXPECT_EQ(kill(-group, 0), -1);
#endif
}

TEST_F(Tool, DemoCompilerLeadsAMarkedCellBackToItsList)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the demo compiler is the Linux demo's shell script";
#endif
    fs::copy_file(TARNEK_DEMO_COMPILER, "compile.sh");
    ASSERT_EQ(dir.Run({"set", "hardenList[4]", "1,5"}).status, 0);
    const ToolResult marked = dir.Run({"compile", "--json"});
    EXPECT_EQ(marked.status, 1);
    const Json result = Json::parse(marked.out);
    EXPECT_EQ(result["errors"], 1);
    EXPECT_EQ(result["diagnostics"][0]["list"], "hardenList");
    EXPECT_EQ(result["diagnostics"][0]["level"], 4);
}

TEST_F(Tool, ExportThenImportReproducesTheSources)
{
    ASSERT_EQ(dir.Run({"levels", "16", "-y"}).status, 0);
    const ToolResult marked = dir.Run({"set", "xpLevelSaved[2]", "тысяча"});
    ASSERT_EQ(marked.status, 0);
    EXPECT_NE(marked.err.find("warning: xpLevelSaved[2]"), std::string::npos);
    ASSERT_EQ(dir.Run({"set", "hexMaxChance", " 2"}).status, 0);
    ASSERT_EQ(dir.Run({"export", "configuration.json"}).status, 0);
    const std::string exported = ReadBytes("configuration.json");
    EXPECT_EQ(exported, dir.Run({"export", "-"}).out);

#ifndef _WIN32  // POSIX only: Windows has no per-process limit on file size to stand for a full disk
    // A full disk leaves the previous export as it was.
    WithFileSizeLimit(1000, [&] { EXPECT_EQ(dir.Run({"export", "configuration.json"}).status, 1); });
    EXPECT_EQ(ReadBytes("configuration.json"), exported);
#endif

    PluginDir fromFile, fromStdin;
    const ToolResult imported = fromFile.Run({"import", (dir.path() / "configuration.json").string()});
    ASSERT_EQ(imported.status, 0);
    EXPECT_NE(imported.err.find("import: warning: xpLevelSaved[2] \"тысяча\""), std::string::npos) << imported.err;
    ASSERT_EQ(fromStdin.Run({"import", "-"}, exported).status, 0);
    for (const PluginDir* other : {&fromFile, &fromStdin}) {
        EXPECT_EQ(ReadBytes(other->baseHeader()), ReadBytes(dir.baseHeader()));
        EXPECT_EQ(ReadBytes(other->skillsInclude()), ReadBytes(dir.skillsInclude()));
        EXPECT_EQ(other->Run({"export"}).out, exported);
    }
}

// What import refuses is the reader's to say (tests/exchange); the tool adds its status, a
// short line and a database left as it was.
TEST_F(Tool, ImportRefusesAnyOtherShapeAndChangesNothing)
{
    Initialise();
    const auto before = Take();
    Json valid = Exported();
    valid["levelCountText"] = "13";
    for (const auto& [input, named] : {std::pair<std::string, std::string>{"{\"levelCountText\": ", "not valid JSON"},
                                       {valid.dump(), "\"xpLevelShortTerm\" has 11 values, but 13 levels need 14"}}) {
        const ToolResult result = dir.Run({"import"}, input);
        EXPECT_EQ(result.status, 1) << named;
        EXPECT_LT(result.err.size(), 300u);
        EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
        EXPECT_EQ(Take(), before) << named;
    }
}

// The carried tables, worked out by hand; a kill worth 0 XP at saved level 3 breaks that step.
TEST_F(Tool, ProgressionTableAndJson)
{
    Initialise();
    ASSERT_EQ(dir.Run({"set", "xpGivenSaved[3]", "0"}).status, 0);
    const ToolResult table = dir.Run({"progression"});
    ASSERT_EQ(table.status, 0) << table.err;
    for (const char* line : {"\n    2            34           84           300          634\n",
                             "\n  saved (kq4_save_xp 1), level 4: xpGivenSaved[3] is \"0\": a kill gives no XP\n"})
        EXPECT_NE(table.out.find(line), std::string::npos) << line << table.out;

    const ToolResult json = dir.Run({"progression", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const Json parsed = Json::parse(json.out);
    EXPECT_EQ(parsed["saved"]["steps"][3], (Json{{"level", 4},
                                                 {"kills", nullptr},
                                                 {"total", nullptr},
                                                 {"gap", "no-xp-per-kill"},
                                                 {"cell", "xpGivenSaved[3]"},
                                                 {"reason", "xpGivenSaved[3] is \"0\": a kill gives no XP"}}));
}

// A dry run and every refusal leave the files as they were; a fit saves the value and the
// fill, and then "progression" counts the same climb.
TEST_F(Tool, FitDryRunChangesNothingAndFitAgreesWithProgression)
{
    Initialise();
    const auto before = Take();
    const ToolResult dry = dir.Run({"fit", "saved", "--hours", "100", "--kills-per-hour", "60", "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_TRUE(dry.out.starts_with("xpLevelSavedMultiplier ")) << dry.out;
    EXPECT_NE(dry.out.find("nothing saved (--dry-run)"), std::string::npos);
    for (const auto& [args, said] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"fit", "saved", "--kills", "5000", "--level", "11"}, "level 11 is outside the configuration's levels"},
             {{"fit", "saved", "--kills", "1"}, "the nearest, 0, makes it "},
         }) {
        const ToolResult refused = dir.Run(args);
        EXPECT_EQ(refused.status, 1) << refused.err;
        EXPECT_NE(refused.err.find(said), std::string::npos) << refused.err;
        EXPECT_TRUE(refused.err.ends_with("; nothing changed\n")) << refused.err;
    }
    EXPECT_EQ(Take(), before);

    const ToolResult fit = dir.Run({"fit", "shortTerm", "--kills", "1000", "--level", "7", "--json"});
    ASSERT_EQ(fit.status, 0) << fit.err;
    const Json fitted = Json::parse(fit.out);
    const Json progression = Json::parse(dir.Run({"progression", "--json"}).out);
    EXPECT_EQ(fitted["steps"], progression["shortTerm"]["steps"]);
    EXPECT_EQ(progression["shortTerm"]["steps"][6]["total"], fitted["total"]);
    EXPECT_EQ(fitted["target"], 1000);
    EXPECT_EQ(Exported()["xpLevelShortTermIncrement"], std::to_string(fitted["value"].get<int>()));
}

TEST_F(Tool, WorksOnTheCurrentDirectoryAndReportsDatabaseErrors)
{
    fs::create_directories("sub/inner/tarnek");
    ASSERT_EQ(RunBinary({"-C", "sub", "-C", "inner", "show"}).status, 0);  // each -C from the one before
    EXPECT_TRUE(fs::exists("sub/inner/TarnekChangeLevelDatabase/TarnekChangeLevel.mdb"));
    EXPECT_EQ(RunBinary({"-C", "no-such-directory", "show"}).status, 1);
    const ToolResult here = RunBinary({"show"});
    EXPECT_EQ(here.status, 0) << here.err;
    EXPECT_TRUE(fs::exists(dir.database()));

    // An outdated database is replaced as the editor does it, but not without a word.
    SQLite::Database(dir.database(), SQLite::OPEN_READWRITE).exec("UPDATE \"Версия\" SET \"Версия\" = '2.0'");
    const ToolResult outdated = dir.Run({"export"});
    EXPECT_EQ(outdated.status, 0);
    EXPECT_NE(outdated.err.find("outdated"), std::string::npos);
}

// Another program may store what the editor never lets in: the sources are not written from it.
TEST_F(Tool, GenerateRefusesWhatTheDatabaseShouldNotHold)
{
    const ListDescriptor& list = ValueLists()[0];
    const auto update = [](std::string_view table, std::string_view column, const std::string& value) {
        return "UPDATE \"" + std::string(table) + "\" SET \"" + std::string(column) + "\" = '" + value + "'";
    };
    const std::pair<std::string, std::string> stored[] = {
        {update(LevelCountValue().table, LevelCountValue().column, "-1"), "«-1»"},
        {update(LevelCountValue().table, LevelCountValue().column, "2147483648"), "«2147483648»"},
        {update(LevelCountValue().table, LevelCountValue().column, "100"), "при количестве уровней 100"},
        {update(DevotionValue().table, DevotionValue().column, "1;x"), "«;»"},
        {update(list.table, list.column, "1' || char(10) || '0") + " WHERE rowid = 3", "U+000A"},
        {update(list.table, list.column, "1' || char(0) || '0") + " WHERE rowid = 3", "U+0000"},
    };
    for (const auto& [statement, said] : stored) {
        Initialise();  // a fresh database each time
        SQLite::Database(dir.database(), SQLite::OPEN_READWRITE).exec(statement);
        const auto before = Take();
        const ToolResult generated = dir.Run({"generate"});
        EXPECT_EQ(generated.status, 1) << said;
        EXPECT_NE(generated.err.find(said), std::string::npos) << generated.err;
        EXPECT_EQ(dir.Run({"set", "orbMaxChance", "1"}).status, 1) << said;  // nor is anything saved over it
        EXPECT_EQ(Take(), before) << said;
        fs::remove_all(dir.database().parent_path());
    }
}

TEST_F(Tool, AFullOutputIsSaid)
{
    std::ofstream full("/dev/full");
    std::istringstream in;
    std::ostringstream errors;
    ToolStreams io{in, full, errors, false};
    EXPECT_EQ(RunTool(std::vector<std::string>{"export"}, io), 1);
    EXPECT_EQ(errors.str(), "tarnek-levels: export: cannot write to standard output: No space left on device\n");
}

}  // namespace

TEST_F(Tool, FirstRunKeepsTheTunedSourcesAndAdoptTakesThemOver)
{
    ASSERT_EQ(dir.Run({"levels", "40", "-y"}).status, 0);
    ASSERT_EQ(dir.Run({"set", "hexList[2]", "7.25"}).status, 0);
    std::string tunedBase = ReadBytes(dir.baseHeader());
    ReplaceAll(tunedBase, "\r\n", "\n");  // edited on the server
    const std::string tunedSkills = ReadBytes(dir.skillsInclude());

    // The server's folder holds the earlier editor's settings file: it is set aside.
    PluginDir server;
    WriteBytes(server.baseHeader(), tunedBase);
    WriteBytes(server.skillsInclude(), tunedSkills);
    const std::string access = std::string("\0\1\0\0Standard Jet DB\0", 20) + std::string(5000, '\xA5');
    WriteBytes(server.database(), access);
    const ToolResult first = server.Run({"show"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("TarnekChangeLevel.access-1.mdb"), std::string::npos) << first.err;
    EXPECT_NE(first.err.find("tarnek-levels adopt"), std::string::npos);
    EXPECT_EQ(server.Run({"show"}).err, "");  // the database is there now: nothing more to say

    const std::string carried = server.Run({"export"}).out;
    const ToolResult dry = server.Run({"adopt", "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_NE(dry.out.find("would take over: 31 lists"), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find("level count 40 (was 10)"), std::string::npos) << dry.out;
    EXPECT_EQ(server.Run({"export"}).out, carried);

    const ToolResult adopted = server.Run({"adopt"});
    EXPECT_EQ(adopted.status, 0) << adopted.err;
    EXPECT_NE(adopted.out.find("took over: 31 lists"), std::string::npos) << adopted.out;
    // The lists, the level count and the chances are the tuned ones; the sources are what the
    // editor writes of them, and the copies made at the first run are not replaced.
    const Json tuned = Exported(), mine = Json::parse(server.Run({"export"}).out);
    for (const ListDescriptor& d : ValueLists())
        EXPECT_EQ(mine[std::string(d.field)], tuned[std::string(d.field)]) << d.field;
    EXPECT_EQ(mine["levelCountText"], "40");
    EXPECT_EQ(ReadBytes(server.baseHeader()), ReadBytes(dir.baseHeader()));
    EXPECT_EQ(ReadBytes(server.skillsInclude()), tunedSkills);
    EXPECT_EQ(ReadBytes(server.path() / "tarnek" / "base.h.orig"), tunedBase);
    EXPECT_NE(server.Run({"adopt"}).out.find("already holds"), std::string::npos);
}

TEST_F(Tool, AdoptRefusesUnreadableOrUnstorableSourcesAndChangesNothing)
{
    Initialise();
    const std::string written = ReadBytes(dir.skillsInclude());
    const std::pair<std::pair<std::string, std::string>, std::string> edits[] = {
        {{"p_hex[MAX_SKILL_LEVEL] = {", "p_hex[MAX_SKILL_LEVEL] = {9,\r\n"},
         "p_hex in the sources holds 4 values, but MAX_LEVELS 10 makes it 3"},
        {{"p_hex[MAX_SKILL_LEVEL] = {", "p_hex[MAX_SKILL_LEVEL] = {server_cmd(0)+"}, "«(»"},
        {{"#define MAX_PERCENT_HEX 1.0", "#define MAX_PERCENT_HEX 1.0;server_cmd(0)"}, "«;»"},
        {{"#define MAX_PERCENT_HEX 1.0", "#if 0\r\n#define MAX_PERCENT_HEX 0.5\r\n#endif"}, "#if"},
    };
    for (const auto& [edit, said] : edits) {
        std::string edited = written;
        ReplaceAll(edited, edit.first, edit.second);
        WriteBytes(dir.skillsInclude(), edited);
        const auto before = Take();
        const ToolResult refused = dir.Run({"adopt"});
        EXPECT_EQ(refused.status, 1) << said;
        EXPECT_NE(refused.err.find(said), std::string::npos) << refused.err;
        EXPECT_EQ(Take(), before) << said;
    }
}

// An adopt killed after it marked its save and before the commit leaves the mark over the
// database as it was: the next run must not write that over the sources it was given.
TEST_F(Tool, AKilledAdoptNeverCostsTheSourcesItWasGiven)
{
    PluginDir other;
    ASSERT_EQ(other.Run({"levels", "13", "--yes"}).status, 0);
    const std::string givenBase = ReadBytes(other.baseHeader()), givenSkills = ReadBytes(other.skillsInclude());
    const fs::path lock = dir.database().string() + ".lock";
    for (const char* mark : {"sources 5eed", "x"}) {  // a save of this editor, an older editor's mark
        ASSERT_EQ(dir.Run({"levels", "40", "--yes"}).status, 0);
        WriteBytes(dir.baseHeader(), givenBase);
        WriteBytes(dir.skillsInclude(), givenSkills);
        WriteBytes(lock, mark);
        ASSERT_EQ(dir.Run({"show"}).status, 0);
        const bool kept = fs::exists(dir.path() / "tarnek" / "base.h.orig");
        EXPECT_EQ(kept ? ReadBytes(dir.path() / "tarnek" / "base.h.orig") : ReadBytes(dir.baseHeader()), givenBase);
        EXPECT_EQ(kept ? ReadBytes(dir.path() / "tarnek" / "skills.inl.orig") : ReadBytes(dir.skillsInclude()),
                  givenSkills);
        EXPECT_EQ(ReadBytes(lock), "") << mark;
    }
}
