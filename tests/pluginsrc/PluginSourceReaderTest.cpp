#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "model/Descriptors.h"
#include "pluginsrc/CodePage1251.h"
#include "pluginsrc/PluginSourceReader.h"
#include "pluginsrc/SourceAdoption.h"
#include "pluginsrc/xpBaseStruct.h"
#include "tests/support/InitialConfiguration.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WrittenSources.h"

namespace fs = std::filesystem;

namespace {

struct Files {
    std::string base;
    std::string skills;
};

Files Written(const tarnekArrayStruct& model)
{
    auto [base, skills] = WrittenSources(model);
    return {std::move(base), std::move(skills)};
}

tarnekArrayStruct Read(const Files& files)
{
    auto reading = ReadPluginSourceBytes(files.base, files.skills);
    if (!reading)
        ADD_FAILURE() << reading.failure().Text();
    return reading ? *reading : tarnekArrayStruct{};
}

// The law both ways: the files give back the configuration (chances as written, that is
// normalised), and the configuration read gives back the files.
void ExpectRoundTrip(const tarnekArrayStruct& model)
{
    const Files files = Written(model);
    const tarnekArrayStruct read = Read(files);
    EXPECT_EQ(read.levelCountText, model.levelCountText);
    for (const ListDescriptor& d : ValueLists())
        EXPECT_EQ(read.*d.list, model.*d.list) << d.field;
    EXPECT_EQ(read.devotionValue, model.devotionValue);
    for (const ParameterDescriptor& p : Parameters()) {
        if (p.isChance()) {
            EXPECT_EQ(read.*p.text, tarnekArrayStruct::NormalizeChanceText(model.*p.text)) << p.field;
        }
    }

    tarnekArrayStruct adopted = model;
    EXPECT_FALSE(AdoptPluginSources(read, adopted).Any());
    const Files again = Written(read);
    EXPECT_EQ(again.base, files.base);
    EXPECT_EQ(again.skills, files.skills);
}

}  // namespace

class EveryOfferedLevelCount : public ::testing::TestWithParam<int> {};

TEST_P(EveryOfferedLevelCount, FilesReadBackToTheConfigurationAndWriteBackToTheSameBytes)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.levelCountText = std::to_string(GetParam());
    RecomputeAllLists(model);
    ExpectRoundTrip(model);
}

INSTANTIATE_TEST_SUITE_P(Levels, EveryOfferedLevelCount, ::testing::Range(10, 101, 3));

TEST(PluginSourceRoundTrip, RandomConfigurationsWithOddTextsSurvive)
{
    // Anything a cell may hold but the list's own comma: blanks inside and around, letters,
    // Cyrillic, signs, empty cells.
    const std::vector<std::string> pieces = {"",     "0", "7",    "12.5", "-3", " ", "abc", "1 000",
                                             "0x1F", "Ж", "пять", "ё",    "+1", "_", "."};
    std::mt19937 random(15);
    auto text = [&] {
        std::string t;
        for (int n = std::uniform_int_distribution<int>(0, 4)(random); n > 0; --n)
            t += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        return t;
    };
    for (int round = 0; round < 60; ++round) {
        tarnekArrayStruct model = InitialConfiguration();
        model.levelCountText = std::to_string(10 + 3 * std::uniform_int_distribution<int>(0, 30)(random));
        for (const ListDescriptor& d : ValueLists()) {
            std::vector<std::string> cells(std::uniform_int_distribution<std::size_t>(0, 40)(random));
            for (std::string& cell : cells)
                cell = text();
            model.*d.list = ValueList(std::move(cells));
        }
        model.devotionValue = text();
        for (const ParameterDescriptor& p : Parameters())
            if (p.isChance())
                model.*p.text = text();
        SCOPED_TRACE(round);
        ExpectRoundTrip(model);
    }
}

TEST(PluginSourceRoundTrip, HandEditedFilesReadToTheSameConfiguration)
{
    const Files original = Written(InitialConfiguration());
    const tarnekArrayStruct expected = Read(original);

    auto same = [&](const Files& edited, const char* what) {
        SCOPED_TRACE(what);
        const tarnekArrayStruct read = Read(edited);
        EXPECT_EQ(read, expected);
    };

    Files lf = original;
    ReplaceAll(lf.base, "\r\n", "\n");
    ReplaceAll(lf.skills, "\r\n", "\n");
    same(lf, "LF line ends");

    const std::string mark = "\xEF\xBB\xBF";
    same({mark + xpBaseStruct::BaseHeaderText(InitialConfiguration()),
          xpBaseStruct::SkillsIncludeText(InitialConfiguration())},
         "UTF-8 with and without a byte-order mark");

    Files spaced = original;
    ReplaceAll(spaced.base, ",\r\n", " ,\r\n\r\n\t  ");
    ReplaceAll(spaced.base, "= {", "=\r\n{\r\n    ");
    ReplaceAll(spaced.skills, "#define MAX_LEVELS ", "#define   MAX_LEVELS\t");
    ReplaceAll(spaced.skills, "\r\n};", ",\r\n};");  // trailing commas
    same(spaced, "other spacing, blank lines, trailing commas");

    Files oneLine = original;
    ReplaceAll(oneLine.skills, ",\r\n", ", ");
    ReplaceAll(oneLine.skills, "\r\n};", " };");
    same(oneLine, "values on one line");

    Files commented = original;
    commented.base = "/* tuned by hand\r\n   on the server */\r\n" + commented.base;
    ReplaceAll(commented.base, ",\r\n", ", // per level\r\n");
    ReplaceAll(commented.skills, "new const p_devotion = 15", "new const p_devotion = /* aura */ 15;");
    ReplaceAll(commented.skills, "#define MAX_LEVELS 10", "// #define MAX_LEVELS 99\r\n#define MAX_LEVELS 10 // ten");
    commented.skills += "\r\nnew const Float:p_extra[3] = {1.0, 2.0, 3.0}; // the plugin's own\r\n";
    same(commented, "comments and other declarations");
}

TEST(PluginSourceRoundTrip, ASemicolonAndCommentMarksInStringsAreReadAsTheCompilerReadsThem)
{
    Files files = Written(InitialConfiguration());
    const tarnekArrayStruct expected = Read(files);
    ReplaceAll(files.skills, "new const p_devotion = 15 //", "new const p_devotion = 15; //");
    files.skills += "\r\nnew const g_hint[] = \"see /* and // in the manual\";\r\n";
    EXPECT_EQ(Read(files), expected);
}

TEST(PluginSourceReading, BrokenSourcesAreRefusedWithFileLineAndWhatWasExpected)
{
    const Files good = Written(InitialConfiguration());
    struct Case {
        const char* what;
        std::function<void(Files&)> edit;
        std::string file;
        bool hasLine;
        std::string mentions;
    };
    const std::vector<Case> cases = {
        {"cut off mid-array", [](Files& f) { f.skills.resize(f.skills.rfind("p_orb") + 40); }, "tarnek/skills.inl",
         true, "«}»"},
        {"missing array", [](Files& f) { ReplaceAll(f.base, "iXPGivenSaved", "iXPGivenSavedOld"); }, "tarnek/base.h",
         false, "iXPGivenSaved"},
        {"missing chance",
         [](Files& f) { ReplaceAll(f.skills, "#define MAX_PERCENT_HEX", "#define MAX_PERCENT_HEXX"); },
         "tarnek/skills.inl", false, "MAX_PERCENT_HEX"},
        {"twice", [](Files& f) { f.base += "\r\nnew iXPLevelSaved[MAX_LEVELS+1] = {1};"; }, "tarnek/base.h", true,
         "второй раз"},
        {"open comment", [](Files& f) { f.skills.insert(200, "/* "); }, "tarnek/skills.inl", true, "*/"},
        {"missing comma", [](Files& f) { ReplaceAll(f.base, "1000,\r\n", "1000\r\n"); }, "tarnek/base.h", true,
         "запятая"},
        {"level count", [](Files& f) { ReplaceAll(f.skills, "MAX_LEVELS 10", "MAX_LEVELS ten"); }, "tarnek/skills.inl",
         true, "ten"},
        {"binary", [](Files& f) { f.base.insert(0, std::string("\x7F\x45LF\0\0\x01", 7)); }, "tarnek/base.h", false,
         "нулевые"},
        {"UTF-16", [](Files& f) { f.skills = "\xFF\xFE#\0d\0"; }, "tarnek/skills.inl", false, "UTF-16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Files files = good;
        c.edit(files);
        const auto reading = ReadPluginSourceBytes(files.base, files.skills);
        ASSERT_FALSE(reading);
        const SourceReadError& error = reading.failure();
        EXPECT_EQ(error.file, c.file);
        EXPECT_EQ(error.line > 0, c.hasLine) << error.Text();
        EXPECT_NE(error.Text().find(c.mentions), std::string::npos) << error.Text();
    }
}

TEST(PluginSourceReading, FilesThatCannotBeSourcesAreRefusedUnread)
{
    TestFolder folder;
    const Files good = Written(InitialConfiguration());
    WriteBytes(folder.baseHeader(), good.base);

#ifndef _WIN32  // symbolic links need rights there that a test cannot count on
    fs::create_symlink("skills.inl", folder.skillsInclude());  // a link to itself
    const PluginSourcesReading looped = ReadPluginSources(folder.path());
    ASSERT_FALSE(looped);
    EXPECT_EQ(looped.failure().file, "tarnek/skills.inl");
    fs::remove(folder.skillsInclude());
#endif

    WriteBytes(folder.skillsInclude(), good.skills);
    fs::resize_file(folder.skillsInclude(), 50U * 1024U * 1024U);  // sparse: nothing is written
    const PluginSourcesReading huge = ReadPluginSources(folder.path());
    ASSERT_FALSE(huge);
    EXPECT_NE(huge.failure().Text().find("велик"), std::string::npos);

    WriteBytes(folder.skillsInclude(), good.skills);
    EXPECT_EQ(*ReadPluginSources(folder.path()), Read(good));
}

TEST(OriginalSources, CopiesAreMadeOnceAndOnlyWhenTheSourcesDiffer)
{
    TestFolder folder;
    RecordingSink sink;
    const tarnekArrayStruct carried = InitialConfiguration();
    EXPECT_FALSE(PrepareFirstStartOffer(folder.path(), carried, sink));  // no sources at all

    // A tuned base.h alone cannot be taken over, but is kept all the same.
    WriteBytes(folder.path() / "lone" / "tarnek" / "base.h", "tuned");
    EXPECT_FALSE(PrepareFirstStartOffer(folder.path() / "lone", carried, sink));
    EXPECT_EQ(ReadBytes(folder.path() / "lone" / "tarnek" / "base.h.orig"), "tuned");

    const Files same = Written(carried);
    WriteBytes(folder.baseHeader(), same.base);
    WriteBytes(folder.skillsInclude(), same.skills);
    EXPECT_FALSE(PrepareFirstStartOffer(folder.path(), carried, sink));
    EXPECT_FALSE(fs::exists(folder.path() / "tarnek" / "base.h.orig"));

    WriteBytes(folder.skillsInclude(), "tuned " + same.skills);
    EXPECT_TRUE(PrepareFirstStartOffer(folder.path(), carried, sink));
    EXPECT_EQ(ReadBytes(folder.path() / "tarnek" / "skills.inl.orig"), "tuned " + same.skills);
    EXPECT_EQ(ReadBytes(folder.path() / "tarnek" / "base.h.orig"), same.base);

    WriteBytes(folder.skillsInclude(), "tuned again");
    EXPECT_TRUE(PrepareFirstStartOffer(folder.path(), carried, sink));
    EXPECT_EQ(ReadBytes(folder.path() / "tarnek" / "skills.inl.orig"), "tuned " + same.skills);
    EXPECT_TRUE(sink.messages.empty());
}
