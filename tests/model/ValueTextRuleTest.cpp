#include "model/ValueTextRule.h"

#include <gtest/gtest.h>

#include <string>

TEST(ValueTextRule, RefusesEveryCharacterOfCodeAndKeepsEveryTypoOfANumber)
{
    for (const char* typo : {"", "400", "-3", "+0.5", "0,5", "1 000", "0x1F", "1e5", "12_5", "0ю5", "Ёж", "MAX_LEVELS"})
        EXPECT_TRUE(CheckValueCharacters(typo)) << typo;
    EXPECT_TRUE(CheckValueCharacters(std::string(kLongestValueText, '1')));

    for (char c : std::string("()[]{};#\"'/\\=:<>!&|^~*%?@$`"))
        EXPECT_FALSE(CheckValueCharacters("1" + std::string(1, c) + "2")) << c;
    const struct {
        std::string text;
        RefusedValueText::Reason reason;
        std::string shown;
    } refused[] = {
        {"0\n1", RefusedValueText::Reason::Character, "U+000A"},
        {std::string("0\0", 2), RefusedValueText::Reason::Character, "U+0000"},
        {"1\x7f", RefusedValueText::Reason::Character, "U+007F"},
        {"1+g++", RefusedValueText::Reason::Character, "++"},
        {"--1", RefusedValueText::Reason::Character, "--"},
        {"1\xC2\xA0"
         "0",
         RefusedValueText::Reason::Character, "\xC2\xA0"},
        {"Ω", RefusedValueText::Reason::Character, "Ω"},
        {"\xC0\xAF", RefusedValueText::Reason::NotUtf8, ""},
        {"\xED\xA0\x80", RefusedValueText::Reason::NotUtf8, ""},
        {std::string(kLongestValueText + 1, '1'), RefusedValueText::Reason::TooLong, ""},
    };
    for (const auto& [text, reason, shown] : refused) {
        const auto checked = CheckValueCharacters(text);
        ASSERT_FALSE(checked) << text;
        EXPECT_EQ(checked.failure().reason, reason) << text;
        EXPECT_EQ(checked.failure().shown, shown) << text;
    }
    // Counted in characters, not bytes: 64 Cyrillic letters are one text.
    std::string cyrillic;
    for (std::size_t i = 0; i < kLongestValueText; ++i)
        cyrillic += "ж";
    EXPECT_TRUE(CheckValueCharacters(cyrillic));
}
