#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Descriptors.h"
#include "InitialConfiguration.h"
#include "ScratchDir.h"
#include "xpBaseStruct.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = TARNEK_PLUGINSRC_TEST_DATA;

std::size_t CountLineBreaks(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos + 2))
        ++count;
    return count;
}

// The values of every array definition ("new ... name[...] = {v0,\r\n...vN\r\n};"), by name.
std::map<std::string, std::vector<std::string>> ParseArrays(const std::string& text)
{
    std::map<std::string, std::vector<std::string>> arrays;
    for (std::size_t at = text.find("new "); at != std::string::npos; at = text.find("new ", at + 1)) {
        const std::size_t bracket = text.find('[', at);
        const std::size_t lineEnd = text.find("\r\n", at);
        if (bracket == std::string::npos || bracket > lineEnd)
            continue;  // the scalar p_devotion
        const std::size_t nameStart = text.find_last_of(" :", bracket) + 1;
        const std::string name = text.substr(nameStart, bracket - nameStart);
        const std::size_t open = text.find('{', bracket);
        const std::size_t close = text.find("};", open);
        std::vector<std::string> values;
        std::size_t start = open + 1;
        while (start < close) {
            const std::size_t end = text.find("\r\n", start);
            std::string value = text.substr(start, end - start);
            if (!value.empty() && value.back() == ',')
                value.pop_back();
            values.push_back(value);
            start = end + 2;
        }
        arrays[name] = values;
    }
    return arrays;
}

std::string Define(const std::string& text, const std::string& name)
{
    const std::string key = "#define " + name + " ";
    const std::size_t at = text.find(key);
    if (at == std::string::npos)
        return "<missing>";
    const std::size_t end = text.find("\r\n", at);
    return text.substr(at + key.size(), end - at - key.size());
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

    ScratchDir scratch;
    xpBaseStruct writer;
    RecordingSink sink;
};

TEST_F(GeneratedSources, InitialConfigurationGivesTheReferenceFilesByteForByte)
{
    WriteBoth(InitialConfiguration());
    EXPECT_EQ(writer.baseHeaderPath, scratch.path() / "tarnek" / "base.h");
    EXPECT_EQ(writer.skillsIncludePath, scratch.path() / "tarnek" / "skills.inl");
    EXPECT_EQ(ReadBytes("tarnek/base.h"), ReadBytes(kData / "base.h"));
    EXPECT_EQ(ReadBytes("tarnek/skills.inl"), ReadBytes(kData / "skills.inl"));
    EXPECT_EQ(scratch.Listing(), (std::vector<std::string>{"tarnek", "tarnek/base.h", "tarnek/skills.inl"}));
}

TEST_F(GeneratedSources, LongerExistingFilesAreReplacedWholeKeepingTheirPermissions)
{
    WriteBytes("tarnek/base.h", std::string(100000, 'x'));
    WriteBytes("tarnek/skills.inl", std::string(100000, 'y'));
    ASSERT_EQ(chmod("tarnek/base.h", 0640), 0);

    WriteBoth(InitialConfiguration());
    EXPECT_EQ(ReadBytes("tarnek/base.h"), ReadBytes(kData / "base.h"));
    EXPECT_EQ(ReadBytes("tarnek/skills.inl"), ReadBytes(kData / "skills.inl"));
    EXPECT_EQ(fs::status("tarnek/base.h").permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(scratch.Listing().size(), 3u);  // no temporary file left beside them
}

TEST_F(GeneratedSources, LinkedFilesAreWrittenThroughTheLink)
{
    fs::create_directory("elsewhere");
    WriteBytes("elsewhere/base.h", "old");
    fs::create_symlink("../elsewhere/base.h", "tarnek/base.h");

    EXPECT_TRUE(writer.WriteBaseHeader(InitialConfiguration(), sink));
    EXPECT_TRUE(fs::is_symlink("tarnek/base.h"));
    EXPECT_EQ(ReadBytes("elsewhere/base.h"), ReadBytes(kData / "base.h"));
}

class LevelCounts : public GeneratedSources, public ::testing::WithParamInterface<int> {};

TEST_P(LevelCounts, RecomputedListsGiveMatchingConstantsLinesAndArrays)
{
    const int levels = GetParam();
    const std::size_t skillLevels = static_cast<std::size_t>(levels / 3);
    const std::size_t levelEntries = static_cast<std::size_t>(levels + 1);
    tarnekArrayStruct model = InitialConfiguration();
    model.levelCountText = std::to_string(levels);
    RecomputeAllLists(model);
    WriteBoth(model);

    const std::string base = ReadBytes("tarnek/base.h");
    const std::string skills = ReadBytes("tarnek/skills.inl");
    EXPECT_EQ(CountLineBreaks(base) + 1, 4 * levelEntries + 7);
    // 78 template lines, each array adding one line per value.
    EXPECT_EQ(CountLineBreaks(skills), 78 + 23 * skillLevels + 4 * levelEntries);
    EXPECT_EQ(Define(skills, "MAX_LEVELS"), std::to_string(levels));
    EXPECT_EQ(Define(skills, "MAX_SKILLS"), "36");
    EXPECT_EQ(Define(skills, "MAX_RACE_SKILLS"), std::to_string(skillLevels));
    EXPECT_EQ(Define(skills, "MAX_SKILL_LEVEL"), std::to_string(skillLevels));

    auto arrays = ParseArrays(base);
    arrays.merge(ParseArrays(skills));
    ASSERT_EQ(arrays.size(), kListCount);
    for (const ListDescriptor& list : ValueLists()) {
        SCOPED_TRACE(std::string(list.array));
        const std::vector<std::string>& written = arrays[std::string(list.array)];
        EXPECT_EQ(written.size(), list.length == LengthRule::Levels ? levelEntries : skillLevels);
        EXPECT_EQ(written, (model.*list.list).texts());
    }
    EXPECT_EQ(Define(skills, "MAX_PERCENT_HARDEN"), model.hardenList.texts().back() + "   //p_harden");
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelCounts, ::testing::Values(13, 40));

TEST(ArrayInitializer, OneValuePerLineWithoutTrailingLineBreak)
{
    EXPECT_EQ(xpBaseStruct::BuildArrayInitializer(ValueList{"0", "100", "250"}), "{0,\r\n100,\r\n250\r\n};");
    EXPECT_EQ(xpBaseStruct::BuildArrayInitializer(ValueList{"7"}), "{7\r\n};");
    EXPECT_EQ(xpBaseStruct::BuildArrayInitializer(ValueList{}), "{};");
}

TEST(SourceText, ValuesAreWrittenVerbatim)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.xpLevelShortTerm = {"abc", "1 000", "", " 5"};
    model.xpGivenSaved = {"7"};
    model.vampiricList = {"0,5"};
    model.levelCountText = " 40abc";

    const std::string base = xpBaseStruct::BaseHeaderText(model);
    EXPECT_NE(base.find("new iXPLevelShortTerm[MAX_LEVELS+1] = {abc,\r\n1 000,\r\n,\r\n 5\r\n};\r\n"),
              std::string::npos);
    EXPECT_TRUE(base.ends_with("\r\n\r\n// Amount of XP awarded when killing a user of this level\r\n"
                               "new iXPGivenShortTerm[MAX_LEVELS+1] = {10,\r\n15,\r\n20,\r\n25,\r\n30,\r\n35,\r\n"
                               "40,\r\n45,\r\n50,\r\n55,\r\n60\r\n};\r\nnew iXPGivenSaved[MAX_LEVELS+1] = {7\r\n};"));

    const std::string skills = xpBaseStruct::SkillsIncludeText(model);
    EXPECT_TRUE(skills.starts_with("#define MAX_LEVELS  40abc\r\n#define MAX_SKILLS 36\r\n"
                                   "#define MAX_RACE_SKILLS 13\r\n#define MAX_SKILL_LEVEL 13\r\n\r\n"));
    EXPECT_NE(skills.find("\r\n\r\nnew const Float:p_vampiric[MAX_SKILL_LEVEL] = {0,5\r\n}; //Vampiric Aura (skill 1)\r\n"),
              std::string::npos);
}

TEST(SourceText, EveryMaximumChanceIsNormalisedAndListMaximaAreNot)
{
    using T = tarnekArrayStruct;
    const std::vector<std::pair<std::string, std::string T::*>> chances = {
        {"EVASION", &T::evasionMaxChance}, {"FAN", &T::fanMaxChance},         {"IMPALE", &T::impaleMaxChance},
        {"BANISH", &T::banishMaxChance},   {"HEX", &T::hexMaxChance},         {"BASH", &T::bashMaxChance},
        {"SHADOW", &T::shadowMaxChance},   {"CARRION", &T::carrionMaxChance}, {"CONCOCTION", &T::concoctionMaxChance},
        {"ORB", &T::orbMaxChance},
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "1.0"}, {"0", "1.0"}, {"-5", "1.0"}, {"abc", "1.0"}, {"25", "25.0"}, {"0.5", "0.5"}, {" 3", " 3.0"},
    };
    for (const auto& [typed, written] : cases) {
        SCOPED_TRACE("typed '" + typed + "'");
        tarnekArrayStruct model = InitialConfiguration();
        for (const auto& chance : chances)
            model.*chance.second = typed;
        model.phoenixList.set(2, typed);
        model.blinkList.set(2, typed);
        model.ankhList.set(2, typed);
        model.hardenList.set(10, typed);

        const std::string skills = xpBaseStruct::SkillsIncludeText(model);
        for (const auto& chance : chances)
            EXPECT_EQ(Define(skills, "MAX_PERCENT_" + chance.first), written) << chance.first;
        for (const char* fromList : {"PHOENIX", "BLINK", "ANKH"})
            EXPECT_EQ(Define(skills, std::string("MAX_PERCENT_") + fromList), typed) << fromList;
        EXPECT_EQ(Define(skills, "MAX_PERCENT_HARDEN"), typed + "   //p_harden");
    }
}

TEST(SourceText, EmptyDevotionValueAndEmptyLastEntries)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.devotionValue = "";
    model.phoenixList.set(2, "");
    model.blinkList.clear();

    const std::string skills = xpBaseStruct::SkillsIncludeText(model);
    EXPECT_NE(skills.find("\r\nnew const p_devotion =  //Devotion Aura (skill 2)\r\n"), std::string::npos);
    EXPECT_NE(skills.find("\r\n#define MAX_PERCENT_PHOENIX \r\n#define MIN_PERCENT_FAN"), std::string::npos);
    EXPECT_NE(skills.find("\r\n#define MAX_PERCENT_BLINK \r\n\r\n"), std::string::npos);
    EXPECT_NE(skills.find("\r\nnew const Float:p_phoenix[MAX_SKILL_LEVEL] = {0.333,\r\n0.667,\r\n\r\n}; //Phoenix"),
              std::string::npos);
    EXPECT_NE(skills.find("\r\nnew const Float:p_blink[MAX_SKILL_LEVEL] = {}; //Blink (skill 2)\r\n"), std::string::npos);
}

TEST_F(GeneratedSources, CyrillicValuesReachTheFileInCodePage1251)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.devotionValue = "пятнадцать";
    model.xpLevelSaved.set(0, "Ёж");
    WriteBoth(model);
    EXPECT_NE(ReadBytes("tarnek/skills.inl").find("p_devotion = \xEF\xFF\xF2\xED\xE0\xE4\xF6\xE0\xF2\xFC //"),
              std::string::npos);
    EXPECT_NE(ReadBytes("tarnek/base.h").find("{\xA8\xE6,\r\n"), std::string::npos);
}

}  // namespace
