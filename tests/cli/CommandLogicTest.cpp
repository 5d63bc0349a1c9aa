// The tool's parsing, name lookup and exchange format, called in-process.

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "CommandLine.h"
#include "ConfigurationJson.h"
#include "Descriptors.h"
#include "InitialConfiguration.h"
#include "NameLookup.h"
#include "Tool.h"
#include "ToolProcess.h"
#include "ValueText.h"

namespace {

std::variant<Invocation, UsageError> Parse(std::vector<std::string> args)
{
    return ParseCommandLine(args);
}

TEST(CommandLine, ReadsEveryCommandsOperandsAndOptions)
{
    auto parsed = Parse({"-C", "a", "-C", "b", "levels", "13", "-y"});
    ASSERT_TRUE(std::holds_alternative<Invocation>(parsed));
    Invocation inv = std::get<Invocation>(parsed);
    EXPECT_EQ(inv.directories, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(inv.command, CommandKind::Levels);
    EXPECT_EQ(inv.levelCount, "13");
    EXPECT_TRUE(inv.yes);

    inv = std::get<Invocation>(Parse({"fill", "hexList", "hexMaxPercent=0.2", "hexMaxChance=", "x=a=b"}));
    EXPECT_EQ(inv.target, "hexList");
    ASSERT_EQ(inv.assignments.size(), 3u);
    EXPECT_EQ(inv.assignments[1].value, "");
    EXPECT_EQ(inv.assignments[2].name, "x");
    EXPECT_EQ(inv.assignments[2].value, "a=b");

    // Negative numbers and "--" let values start with a dash.
    inv = std::get<Invocation>(Parse({"set", "orbMaxChance", "-2"}));
    EXPECT_EQ(inv.value, "-2");
    inv = std::get<Invocation>(Parse({"set", "--", "orbMaxChance", "--x"}));
    EXPECT_EQ(inv.value, "--x");

    inv = std::get<Invocation>(Parse({"export", "-"}));
    EXPECT_FALSE(inv.file.has_value());
    inv = std::get<Invocation>(Parse({"import", "conf.json"}));
    EXPECT_EQ(inv.file, "conf.json");

    inv = std::get<Invocation>(Parse({"set", "--help"}));
    EXPECT_TRUE(inv.help);
    EXPECT_EQ(inv.command, CommandKind::Set);
    inv = std::get<Invocation>(Parse({"help", "import"}));
    EXPECT_TRUE(inv.help);
    EXPECT_EQ(inv.command, CommandKind::Import);
}

TEST(CommandLine, NamesTheCommandWhoseUsageIsWrong)
{
    const std::vector<std::pair<std::vector<std::string>, CommandKind>> cases = {
        {{"-C"}, CommandKind::None},
        {{"-x", "show"}, CommandKind::None},
        {{"help", "nothing"}, CommandKind::None},
        {{"show", "--yes"}, CommandKind::Show},
        {{"levels", "13", "16"}, CommandKind::Levels},
        {{"fill", "hexList", "=3"}, CommandKind::Fill},
        {{"set", "a", "b", "c"}, CommandKind::Set},
        {{"import", "a", "b"}, CommandKind::Import},
    };
    for (const auto& [args, command] : cases) {
        const auto parsed = Parse(args);
        ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << args.front();
        EXPECT_EQ(std::get<UsageError>(parsed).command, command) << args.front();
    }
}

TEST(NameLookup, ResolvesEveryKindOfName)
{
    EXPECT_EQ(KnownNames().size(), kListCount + kParameterCount + 2);
    for (std::string_view name : KnownNames())
        EXPECT_TRUE(std::holds_alternative<NamedValue>(ResolveName(name))) << name;

    const auto cell = std::get<NamedValue>(ResolveName("orbList[7]"));
    EXPECT_EQ(cell.kind, NameKind::Cell);
    EXPECT_EQ(cell.tier, Tier::Four);
    EXPECT_EQ(cell.cell, 7u);
    EXPECT_EQ(ValueLists()[cell.index].field, "orbList");

    const auto devotion = std::get<NamedValue>(ResolveName("devotionValue"));
    EXPECT_EQ(devotion.tier, Tier::Two);
    tarnekArrayStruct model;
    *TextOf(devotion, model) = "7";
    EXPECT_EQ(model.devotionValue, "7");
    *TextOf(std::get<NamedValue>(ResolveName("xpGivenSavedInitial")), model) = "9";
    EXPECT_EQ(model.xpGivenSavedInitial, "9");

    for (const char* wrong : {"orbList[]", "orbList[-1]", "orbList[1", "orbList[1]x", "devotionValue[0]", "nope[1]"})
        EXPECT_TRUE(std::holds_alternative<std::string>(ResolveName(wrong))) << wrong;
}

TEST(NameLookup, SuggestsTheNearestNameIgnoringCase)
{
    EXPECT_EQ(NearestName("XPLEVELSAVED"), "xpLevelSaved");
    EXPECT_EQ(NearestName("hardenMaxPrecent"), "hardenMaxPercent");
    EXPECT_EQ(NearestName("levelCount"), "levelCountText");
    EXPECT_EQ(NearestName("shadow"), "shadowList");
}

TEST(ValueText, RefusesWhatCannotReachTheSourcesIntact)
{
    EXPECT_FALSE(ValueTextProblem("").has_value());
    EXPECT_FALSE(ValueTextProblem("0.5 тысяч").has_value());
    for (std::string bad : {std::string("a\nb"), std::string("\t"), std::string(1, '\0'), std::string("\x7f"),
                            std::string("\xC3"), std::string("\xC0\xAF"), std::string("\xED\xA0\x80"),
                            std::string("\xF4\x90\x80\x80")})
        EXPECT_TRUE(ValueTextProblem(bad).has_value()) << bad;

    EXPECT_EQ(ListingText("0.5"), "0.5");
    EXPECT_EQ(ListingText(""), "\"\"");
    EXPECT_EQ(ListingText("a b\"\\\n"), "\"a b\\\"\\\\\\n\"");
}

TEST(ConfigurationJson, RoundTripsEveryTextInDescriptorOrder)
{
    tarnekArrayStruct model = InitialConfiguration();
    model.devotionValue = "пятнадцать";
    model.orbMaxChance = "";
    model.hexList = {"\"q\"", "2", "3"};
    const std::string text = std::get<std::string>(ConfigurationToJson(model));

    // Keys in order: the level count first, then the lists, devotionValue, the parameters.
    EXPECT_LT(text.find("\"levelCountText\""), text.find("\"xpLevelShortTerm\""));
    EXPECT_LT(text.find("\"orbList\""), text.find("\"devotionValue\""));
    EXPECT_LT(text.find("\"devotionValue\""), text.find("\"xpLevelShortTermIncrement\""));
    EXPECT_LT(text.find("\"concoctionMaxChance\""), text.find("\"orbMaxChance\""));

    const auto back = ConfigurationFromJson(text);
    ASSERT_TRUE(std::holds_alternative<tarnekArrayStruct>(back)) << std::get<JsonError>(back).message;
    EXPECT_EQ(std::get<tarnekArrayStruct>(back), model);

    model.phoenixList.set(1, "\xFF");
    const auto invalid = ConfigurationToJson(model);
    ASSERT_TRUE(std::holds_alternative<JsonError>(invalid));
    EXPECT_NE(std::get<JsonError>(invalid).message.find("phoenixList[1]"), std::string::npos);
}

// Only a terminal can answer, so this runs in-process with a pretend one.
TEST(LevelsQuestion, AsksWhenSomeoneCanAnswerAndTakesOnlyYes)
{
    TempPluginDir dir;
    const auto previous = std::filesystem::current_path();
    std::string err;
    auto answer = [&](const std::string& typed) {
        std::istringstream in(typed);
        std::ostringstream out;
        std::ostringstream errors;
        ToolStreams io{in, out, errors, true};
        const std::vector<std::string> args{"-C", dir.path().string(), "levels", "13"};
        const int status = RunTool(args, io);
        std::filesystem::current_path(previous);
        err = errors.str();
        return status;
    };

    EXPECT_EQ(answer("n\n"), 1);
    EXPECT_EQ(err, "Запрос на изменение уровней:\n Все параметры при изменение количества уровней будут пересчитаны! [y/N] ");
    EXPECT_EQ(answer(""), 1);
    EXPECT_EQ(answer("yes please\n"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.database()));

    EXPECT_EQ(answer("да\n"), 0);
    const auto rows = DatabaseRows(dir.database());
    EXPECT_EQ(rows.at("Количество уровней").at(0).back(), "13");
    EXPECT_EQ(rows.at("Скилы 1 уровня").size(), 4u);
}

}  // namespace
