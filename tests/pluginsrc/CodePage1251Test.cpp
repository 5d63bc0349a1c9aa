#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "CodePage1251.h"

namespace {

TEST(CodePage1251, RussianAlphabetSignsAndMissingCharacters)
{
    EXPECT_EQ(Utf8ToCp1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"),
              "\xC0\xC1\xC2\xC3\xC4\xC5\xA8\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4"
              "\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9"
              "\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF");
    EXPECT_EQ(Utf8ToCp1251("№ 5 — 10 €\r\n"), "\xB9 5 \x97 10 \x88\r\n");
    EXPECT_EQ(Utf8ToCp1251(std::string("a\0b", 3)), std::string("a\0b", 3));
    // What the code page lacks becomes one '?' per character, whatever its length in UTF-8.
    EXPECT_EQ(Utf8ToCp1251("café x😀y 中"), "caf? x?y ?");
    EXPECT_EQ(Utf8ToCp1251("\xC2\x98"), "?");  // U+0098: the hole at 0x98
}

TEST(CodePage1251, EachIllFormedSubsequenceBecomesOneQuestionMark)
{
    EXPECT_EQ(Utf8ToCp1251("\x80"), "?");                          // stray continuation
    EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");                        // cut off at the end
    EXPECT_EQ(Utf8ToCp1251("\xE2\x82" "x"), "?x");                 // cut off before ASCII
    EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98" "\xD0\x96"), "?\xC6");   // resumes at the next character
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF\xE0\x80\xAF"), "?????");      // overlong forms
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80\xF4\x90\x80\x80"), "???????");  // surrogate, past U+10FFFF
}

// The C library's table is an independent account of the code page: every byte it decodes
// must come back as that byte.
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
}

}  // namespace
