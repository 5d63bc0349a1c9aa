#include <set>
#include <string>

#include <gtest/gtest.h>

#include "model/Descriptors.h"
#include "tests/support/InitialConfiguration.h"

namespace {

TEST(Descriptors, EveryListAndParameterIsDescribedOnceWithADistinctStorage)
{
    std::set<std::string_view> fields;
    std::set<std::pair<std::string_view, std::string_view>> storage;
    std::set<std::string_view> arrays;
    for (const ListDescriptor& d : ValueLists()) {
        EXPECT_TRUE(fields.insert(d.field).second) << d.field;
        EXPECT_TRUE(storage.insert({d.table, d.column}).second) << d.field;
        EXPECT_TRUE(arrays.insert(d.array).second) << d.field;
    }
    for (const ParameterDescriptor& p : Parameters()) {
        EXPECT_TRUE(fields.insert(p.field).second) << p.field;
        EXPECT_TRUE(storage.insert({p.table, p.column}).second) << p.field;
    }
}

TEST(Descriptors, MemberPointersMatchTheirFieldNames)
{
    // Each descriptor must point at its own member: write a marker through the pointer
    // and find it again by name in the exported order.
    for (std::size_t i = 0; i < ValueLists().size(); ++i) {
        tarnekArrayStruct m;
        m.*ValueLists()[i].list = ValueList{"marker"};
        for (std::size_t j = 0; j < ValueLists().size(); ++j)
            EXPECT_EQ((m.*ValueLists()[j].list).empty(), i != j);
        EXPECT_EQ(FindList(ValueLists()[i].field), i);
    }
    EXPECT_FALSE(FindList("nope").has_value());
}

TEST(Descriptors, EachListRefillsWithItsOwnRuleAndParameters)
{
    // Every list's own parameter is set to a distinctive value; its fill must move with it.
    for (const ListDescriptor& d : ValueLists()) {
        tarnekArrayStruct m = InitialConfiguration();
        m.DeriveLevelCounts();
        RunFill(d, m, FillCount(d, m));
        const ValueList before = m.*d.list;
        m.*d.firstParameter = "7";
        RunFill(d, m, FillCount(d, m));
        EXPECT_NE(m.*d.list, before) << d.field << " ignores its parameter";
        EXPECT_EQ((m.*d.list).size(), d.length == LengthRule::Levels ? 11U : 3U) << d.field;
    }
}

}  // namespace
