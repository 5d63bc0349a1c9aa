#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "CodePage1251.h"

namespace {

// The C library's table is an independent account of the code page (the whole Russian
// alphabet with Ё and ё, №, €, ...): every byte it decodes must come back as that byte.
TEST(CodePage1251, AgreesWithTheCLibraryOnEveryDefinedByte)
{
    iconv_t decoder = iconv_open("UTF-8", "CP1251");
    ASSERT_NE(decoder, reinterpret_cast<iconv_t>(-1));
    int checked = 0;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        char in[1] = {static_cast<char>(byte)}, out[8] = {};
        char *inPtr = in, *outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            continue;
        EXPECT_EQ(Utf8ToCp1251(std::string(out, outPtr)), std::string(1, in[0])) << "byte " << byte;
        ++checked;
    }
    iconv_close(decoder);
    EXPECT_GE(checked, 127);
    EXPECT_EQ(Utf8ToCp1251(std::string("Ёё№€ a\0b\r\n", 16)), std::string("\xA8\xB8\xB9\x88 a\0b\r\n", 10));
}

// What the code page lacks becomes one '?' per character, whatever its length in UTF-8, and
// each ill-formed subsequence one '?', as Windows' default conversion does.
TEST(CodePage1251, EveryCharacterItLacksAndEachIllFormedSequenceBecomesOneQuestionMark)
{
    const std::pair<std::string, std::string> cases[] = {
        {"café x😀y 中", "caf? x?y ?"},
        {"\xC2\x98", "?"},                                // U+0098: the hole at 0x98
        {"\x80", "?"},                                    // stray continuation
        {"a\xD0", "a?"},                                  // cut off at the end
        {"\xE2\x82" "x", "?x"},                           // cut off before ASCII
        {"\xF0\x9F\x98" "\xD0\x96", "?\xC6"},             // resumes at the next character
        {"\xC0\xAF\xE0\x80\xAF", "?????"},                // overlong forms
        {"\xED\xA0\x80\xF4\x90\x80\x80", "???????"},      // surrogate, past U+10FFFF
    };
    for (const auto& [utf8, cp1251] : cases)
        EXPECT_EQ(Utf8ToCp1251(utf8), cp1251) << utf8;
}

}  // namespace
