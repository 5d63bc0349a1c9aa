#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "exchange/ConfigurationJson.h"
#include "model/Descriptors.h"
#include "tests/support/InitialConfiguration.h"

namespace {

using Json = nlohmann::ordered_json;

Json Exported(const tarnekArrayStruct& model)
{
    const auto text = ConfigurationToJson(model);
    EXPECT_TRUE(text);
    return Json::parse(*text);
}

// A configuration goes out and comes back text for text, and goes out again byte for byte.
TEST(ConfigurationJson, RoundTripKeepsEveryText)
{
    tarnekArrayStruct model = OpenedInitialConfiguration();
    model.xpLevelSaved.set(2, "тысяча");
    model.vampiricIncrement = "0,5";
    const auto text = ConfigurationToJson(model);
    ASSERT_TRUE(text);
    const auto read = ConfigurationFromJson(*text);
    ASSERT_TRUE(read) << read.failure().text;
    for (const ListDescriptor& list : ValueLists())
        EXPECT_EQ((*read).*list.list, model.*list.list) << list.field;
    EXPECT_EQ(read->vampiricIncrement, "0,5");
    EXPECT_EQ(*ConfigurationToJson(*read), *text);
}

// Exactly the exported shape is taken; anything else is refused naming what is wrong.
TEST(ConfigurationJson, AnyOtherShapeIsRefusedNamingWhatIsWrong)
{
    const Json valid = Exported(OpenedInitialConfiguration());
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
        {changed([](Json& j) { j["hexList"][1] = 0.1; }), "hexList[1]"},
        {changed([](Json& j) { j["orbMaxChance"] = 1; }), "orbMaxChance"},
        {changed([](Json& j) { j.erase("devotionValue"); }), "devotionValue"},
        {changed([](Json& j) { j["carrionList"].push_back("0.2"); }), "carrionList"},
        {changed([](Json& j) {
             for (const ListDescriptor& d : ListsOfTier(Tier::Two))
                 j[std::string(d.field)] = Json::array();
         }),
         "\"unholyList\" has 0 values, but 10 levels need 3"},
        {changed([](Json& j) { j["levelCountText"] = "1000000000"; }),
         "\"1000000000\" is not a level count the editor can hold"},
        {changed([](Json& j) { j["levelCountText"] = "013"; }), "\"013\" is not a level count"},
        {changed([](Json& j) { j[std::string(1'000'000, 'k')] = "1"; }),
         "kkk... (1000000 bytes)\"; (\"tarnek-levels show\""},
        {valid.dump() + std::string(kLargestConfigurationText, ' '), "larger than 4 MB"},
        {changed([](Json& j) { j["vampiricIncrement"] = "0.1\r\n}"; }), "vampiricIncrement"},
        {changed([](Json& j) { j["xpLevelSaved"][3] = "0};public pwned(){server_cmd(\"quit\");}new t[]={0"; }),
         "xpLevelSaved[3]"},
        {duplicated, "hexList"},
        {"{\"a\":" + std::string(50000, '[') + std::string(50000, ']') + ",\"b\":1}", "nested deeper"},
    };
    for (const auto& [input, named] : cases) {
        const auto read = ConfigurationFromJson(input);
        ASSERT_FALSE(read) << named;
        EXPECT_LT(read.failure().text.size(), 300u);
        EXPECT_NE(read.failure().text.find(named), std::string::npos) << read.failure().text;
    }
}

}  // namespace
