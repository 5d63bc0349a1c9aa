#include <string>

#include <gtest/gtest.h>

#include "InitialConfiguration.h"
#include "PluginNumbers.h"

namespace {

struct MarkCase {
    const char* text;
    ArrayKind kind;
    bool accepted;
    const char* reasonPart;  // a word the tooltip must contain when marked
};

class PluginNumberMarking : public testing::TestWithParam<MarkCase> {};

TEST_P(PluginNumberMarking, MarksWhatThePluginCompilerRejects)
{
    const MarkCase& c = GetParam();
    const auto reason = CheckPluginNumber(c.text, c.kind);
    EXPECT_EQ(!reason.has_value(), c.accepted) << '"' << c.text << '"';
    if (reason) {
        EXPECT_NE(reason->find(c.reasonPart), std::string::npos) << *reason;
    }
}

constexpr ArrayKind I = ArrayKind::Integer;
constexpr ArrayKind F = ArrayKind::Float;

INSTANTIATE_TEST_SUITE_P(Texts, PluginNumberMarking, testing::Values(
    MarkCase{"25", I, true, ""}, MarkCase{"-35", I, true, ""}, MarkCase{" 7 ", I, true, ""},
    MarkCase{"0.25", F, true, ""}, MarkCase{"-0.20", F, true, ""}, MarkCase{"265.0", F, true, ""},
    MarkCase{"1.5e3", F, true, ""}, MarkCase{"1.5e-3", F, true, ""},
    MarkCase{"", I, false, "Пустое"}, MarkCase{"   ", F, false, "Пустое"},
    MarkCase{"0,5", F, false, "Запятая"}, MarkCase{"1,5", I, false, "Запятая"},
    MarkCase{"1O", I, false, "Не число"}, MarkCase{"abc", F, false, "Не число"},
    MarkCase{"1e+006.0", F, false, "Экспоненциальная"}, MarkCase{"2e+006.0", F, false, "Экспоненциальная"},
    MarkCase{"1e-005.0", F, false, "Экспоненциальная"},
    MarkCase{"2.5", I, false, "целочисленный"}, MarkCase{"25", F, false, "Float"},
    MarkCase{"5.", F, false, "Не число"}, MarkCase{".5", F, false, "Не число"}, MarkCase{"+5", I, false, "Не число"},
    MarkCase{"0x10", I, false, "Не число"}, MarkCase{"1.0.0", F, false, "Не число"}));

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

} // namespace
