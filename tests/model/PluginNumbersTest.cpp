#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "model/PluginNumbers.h"
#include "tests/support/InitialConfiguration.h"

namespace {

// Each rejected text with a word its reason must hold; an empty word: accepted.
TEST(PluginNumberMarking, MarksWhatThePluginCompilerRejects)
{
    constexpr ArrayKind I = ArrayKind::Integer, F = ArrayKind::Float;
    // clang-format off
    const std::tuple<const char*, ArrayKind, const char*> cases[] = {
        {"25", I, ""}, {"-35", I, ""}, {" 7 ", I, ""}, {"0.25", F, ""}, {"-0.20", F, ""}, {"265.0", F, ""},
        {"1.5e3", F, ""}, {"1.5e-3", F, ""}, {"", I, "Пустое"}, {"   ", F, "Пустое"}, {"0,5", F, "Запятая"},
        {"1,5", I, "Запятая"}, {"1O", I, "Не число"}, {"abc", F, "Не число"}, {"1e+006.0", F, "Экспоненциальная"},
        {"2e+006.0", F, "Экспоненциальная"}, {"1e-005.0", F, "Экспоненциальная"}, {"2.5", I, "целочисленный"},
        {"25", F, "Float"}, {"5.", F, "Не число"}, {".5", F, "Не число"}, {"+5", I, "Не число"},
        {"0x10", I, "Не число"}, {"1.0.0", F, "Не число"}, {"MAX_LEVELS", I, "имя или выражение"},
        {"1+2", I, "имя или выражение"}, {"1;2", I, "Недопустимое"}, {"1\n2", F, "U+000A"},
    };
    // clang-format on
    for (const auto& [text, kind, reasonPart] : cases) {
        const auto reason = CheckPluginNumber(text, kind);
        EXPECT_EQ(reason.has_value(), *reasonPart != '\0') << '"' << text << '"';
        EXPECT_NE(reason.value_or("").find(reasonPart), std::string::npos) << reason.value_or("");
    }
}

TEST(ListLengthMarking, ListsMadeForAnotherLevelCountAndBadCellsAreCounted)
{
    tarnekArrayStruct m = InitialConfiguration();
    EXPECT_EQ(CountMarkedTexts(m), 0U);
    m.levelCountText = "13";  // the combo moved, the lists were made for 10
    const ListDescriptor& xp = ValueLists()[*FindList("xpLevelShortTerm")];
    EXPECT_EQ(DeclaredArraySize(xp, m), 14U);
    EXPECT_EQ(DeclaredArraySize(ValueLists()[*FindList("vampiricList")], m), 4U);
    EXPECT_NE(CheckListLength(xp, m).value_or("").find("нулями"), std::string::npos);
    m.levelCountText = "7";
    EXPECT_NE(CheckListLength(xp, m).value_or("").find("лишние"), std::string::npos);

    m = InitialConfiguration();
    m.xpLevelSaved.set(3, "1O");
    m.healList.set(0, "0,5");
    m.devotionValue = "";
    m.orbList.append("0.2");  // one too many
    EXPECT_EQ(CountMarkedTexts(m), 4U);
}

}  // namespace
