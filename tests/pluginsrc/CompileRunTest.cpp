#include <gtest/gtest.h>

#ifndef _WIN32
#  include <signal.h>
#endif

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>

#include "model/Descriptors.h"
#include "pluginsrc/PluginCompiler.h"
#include "pluginsrc/xpBaseStruct.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

namespace {

// The line (from 1) of text that holds `needle`, found by reading the text as the compiler does.
int LineHolding(const std::string& text, const std::string& needle)
{
    const std::size_t at = text.find(needle);
    return at == std::string::npos ? 0 : 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

void ExpectValue(const std::optional<GeneratedValue>& value, std::string_view field, std::size_t level)
{
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->field, field);
    EXPECT_EQ(value->level, level);
}

TEST(CompilerDiagnostics, CompilerLinesAreReadAndEverythingElseIsNot)
{
    const std::pair<const char*, CompilerDiagnostic> read[] = {
        {"base.h(17) : error 017: undefined symbol \"abc\"",
         {DiagnosticKind::Error, "base.h", 17, "017", "undefined symbol \"abc\""}},
        {"// C:\\Program Files (x86)\\srv\\tarnek\\skills.inl(190) : fatal error 018: too much\r",
         {DiagnosticKind::FatalError, "C:\\Program Files (x86)\\srv\\tarnek\\skills.inl", 190, "018", "too much"}},
        {"vloxTarnekMod.sma(12) : warning 203: never used",
         {DiagnosticKind::Warning, "vloxTarnekMod.sma", 12, "203", "never used"}},
    };
    for (const auto& [line, expected] : read) {
        const auto d = ParseDiagnostic(line);
        ASSERT_TRUE(d) << line;
        EXPECT_EQ(std::tie(d->kind, d->file, d->line, d->code, d->text),
                  std::tie(expected.kind, expected.file, expected.line, expected.code, expected.text))
            << line;
    }
    for (const char* other : {"1 Error.", "Header size:   1234 bytes", "Done.", "// Compilation Time: 0.2 sec",
                              "f() : error 1: no line", "(3) : error 1: no file", "a.h(3) : note 1: x"})
        EXPECT_FALSE(ParseDiagnostic(other)) << other;
}

TEST(CompilerDiagnostics, OutputBecomesBoundedLinesOfValidText)
{
    std::vector<std::string> passed;
    OutputLines lines([&](const std::string& line) { passed.push_back(line); });
    lines.Append("a\r\nb");
    lines.Append("c \xC0\xEB\xFF\n");  // code page 1251 and a byte UTF-8 never uses
    lines.Append(std::string(OutputLines::kLongestLine + 1, 'x'));
    lines.Finish();
    ASSERT_EQ(passed.size(), 4u);
    EXPECT_EQ(passed[0], "a");
    EXPECT_EQ(passed[1], "bc \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(passed[2].size(), OutputLines::kLongestLine);
    EXPECT_EQ(passed[3], "x");
}

TEST(GeneratedLineMap, CompilerLinesLeadBackToTheirListAndLevel)
{
    tarnekArrayStruct model = InitialConfiguration();
    GeneratedLines lines(model);
    // At 10 levels the first XP array holds lines 2..12 and closes on 13; the second starts on 14.
    ExpectValue(lines.Find("base.h", 17), "xpLevelSaved", 3);
    // Letters in an XP table, a comma in a Float: array.
    model.xpGivenSaved.set(7, "abc");
    model.unholyList.set(2, "0,5");
    const std::string header = xpBaseStruct::BaseHeaderText(model);
    const std::string skills = xpBaseStruct::SkillsIncludeText(model);
    ExpectValue(lines.Find("tarnek/base.h", LineHolding(header, "abc")), "xpGivenSaved", 7);
    ExpectValue(lines.Find("C:\\srv\\tarnek\\SKILLS.INL", LineHolding(skills, "0,5")), "unholyList", 2);
    ExpectValue(lines.Find("skills.inl", LineHolding(skills, "new const p_devotion")), "devotionValue", 0);
    EXPECT_FALSE(lines.Find("skills.inl", 1));  // #define MAX_LEVELS
    EXPECT_FALSE(lines.Find("vloxTarnekMod.sma", 17));
    EXPECT_FALSE(lines.Find("base.h", 100000));

    // A tier-4 list at 13 levels: its last value, then the line closing it.
    model.levelCountText = "13";
    RecomputeAllLists(model);
    ASSERT_EQ(model.orbList.size(), 14u);
    model.orbList.set(13, "zz9");
    const std::string shorter = xpBaseStruct::SkillsIncludeText(model);
    const GeneratedLines at13(model);
    const int last = LineHolding(shorter, "zz9\r\n};");
    ExpectValue(at13.Find("skills.inl", last), "orbList", 13);
    EXPECT_FALSE(at13.Find("skills.inl", last + 1));
}

// The runs below start shell scripts and look at process groups.
#ifndef _WIN32

// Killed, a background child takes its new parent a moment to reap.
bool GroupEnded(const std::string& group)
{
    for (int i = 0; i < 100; ++i) {
        if (kill(-std::stoi(group), 0) != 0 && errno == ESRCH)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class CompileRun : public ::testing::Test {
protected:
    void WriteCompiler(const std::string& script, fs::perms perms = fs::perms::owner_all)
    {
        WriteBytes(folder.path() / "compile.sh", script);
        fs::permissions(folder.path() / "compile.sh", perms);
    }
    CompileResult Run(PluginCompileRun& run)
    {
        return run.Run([this](const std::string& line) { streamed.push_back(line); });
    }
    TestFolder folder;
    std::vector<std::string> streamed;
};

TEST_F(CompileRun, SuccessWithWarningsAndErrorsLedBackToTheirCells)
{
    WriteCompiler("#!/bin/sh\n"
                  "read answer; echo \"stdin gave $? $#\"\n"
                  "echo 'base.h(17) : warning 213: tag mismatch'\n"
                  "echo 'vloxTarnekMod.sma(3) : warning 203: symbol is never used: \"x\"' >&2\n"
                  "mkdir -p compiled && head -c 815 /dev/zero > compiled/vloxTarnekMod.amxx\n"
                  "echo Done.\n");
    PluginCompileRun run(folder.path(), GeneratedLines(InitialConfiguration()));
    CompileResult result = Run(run);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.end.exitCode, 0);
    EXPECT_EQ(result.pluginSize, 815u);
    EXPECT_EQ(result.warnings, 2u);
    EXPECT_EQ(result.errors, 0u);
    ASSERT_EQ(result.diagnostics.size(), 2u);
    ExpectValue(result.diagnostics[0].value, "xpLevelSaved", 3);
    EXPECT_FALSE(result.diagnostics[1].value);
    EXPECT_EQ(streamed.front(), "stdin gave 1 0");
    EXPECT_EQ(streamed, result.output);

    // An error line fails the compile even with a plugin written and exit status 0; so does
    // an old plugin that could not be deleted and was not rewritten.
    WriteCompiler("echo 'skills.inl(12) : error 018: initialization data exceeds declared size'\n"
                  "echo '1 Error.'\n",
                  fs::perms::owner_read);  // no execute bit, no #!
    result = Run(run);
    EXPECT_EQ(result.start, CompileStart::Started);
    EXPECT_EQ(result.errors, 1u);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_FALSE(result.pluginProduced);
}

TEST_F(CompileRun, NoCompilerStartsNothing)
{
    PluginCompileRun run(folder.path(), GeneratedLines());
    EXPECT_EQ(run.Run().start, CompileStart::NoCompiler);
    fs::create_directory(folder.path() / "compile.sh");
    EXPECT_EQ(run.Run().start, CompileStart::NoCompiler);
}

TEST_F(CompileRun, CancelEndsTheCompilerAndEverythingItStarted)
{
    WriteCompiler("#!/bin/sh\nsleep 300 &\necho $$\nsleep 300\n");
    PluginCompileRun run(folder.path(), GeneratedLines());
    std::thread canceller;
    const CompileResult result =
        run.Run([&](const std::string&) { canceller = std::thread([&run] { run.Cancel(); }); });
    canceller.join();
    EXPECT_TRUE(result.end.cancelled);
    EXPECT_FALSE(result.Succeeded());
    ASSERT_EQ(result.output.size(), 1u);
    EXPECT_TRUE(GroupEnded(result.output[0]));
}

TEST_F(CompileRun, LeftOverChildHoldingTheOutputDoesNotHangIt)
{
    WriteCompiler("#!/bin/sh\nsleep 300 &\necho $$\n");
    PluginCompileRun run(folder.path(), GeneratedLines());
    const CompileResult result = run.Run();
    EXPECT_EQ(result.end.exitCode, 0);
    EXPECT_FALSE(result.end.cancelled);
    ASSERT_EQ(result.output.size(), 1u);
    EXPECT_TRUE(GroupEnded(result.output[0]));
}

TEST_F(CompileRun, FloodedOrKilledCompilerStaysBounded)
{
    WriteCompiler("#!/bin/sh\nyes 'base.h(2) : warning 1: again' | head -c 30000000\n"
                  "printf '\\nlast \\377\\n'\nkill -9 $$\n");
    PluginCompileRun run(folder.path(), GeneratedLines());
    const CompileResult result = run.Run();
    EXPECT_EQ(result.end.signal, SIGKILL);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_GT(result.droppedLines, 0u);
    EXPECT_EQ(result.output.back(), "last \xEF\xBF\xBD");
    EXPECT_EQ(result.diagnostics.size(), CompileResult::kKeptDiagnostics);
    EXPECT_GT(result.warnings, 900000u);
}

#endif  // _WIN32

}  // namespace
