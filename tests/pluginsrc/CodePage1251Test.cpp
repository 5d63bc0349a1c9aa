#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "CodePage1251.h"

namespace {

TEST(CodePage1251, RussianAlphabetWithYoAndSigns)
{
    EXPECT_EQ(Utf8ToCp1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"),
              "\xC0\xC1\xC2\xC3\xC4\xC5\xA8\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4"
              "\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9"
              "\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF");
    EXPECT_EQ(Utf8ToCp1251("№ 5 — 10 €"), "\xB9 5 \x97 10 \x88");
    EXPECT_EQ(Utf8ToCp1251("ASCII stays: {0,\r\n};"), "ASCII stays: {0,\r\n};");
    EXPECT_EQ(Utf8ToCp1251(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePage1251, CharactersTheCodePageLacksBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(Utf8ToCp1251("café"), "caf?");
    EXPECT_EQ(Utf8ToCp1251("x😀y"), "x?y");
    EXPECT_EQ(Utf8ToCp1251("中文"), "??");
    EXPECT_EQ(Utf8ToCp1251("\xC2\x98"), "?");  // U+0098: the one hole in 0x80..0xFF
}

TEST(CodePage1251, EachIllFormedSubsequenceBecomesOneQuestionMark)
{
    EXPECT_EQ(Utf8ToCp1251("\x80"), "?");                  // stray continuation
    EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");                // cut off at the end
    EXPECT_EQ(Utf8ToCp1251("\xD0" "A"), "?A");             // cut off before ASCII
    EXPECT_EQ(Utf8ToCp1251("\xE2\x82" "x"), "?x");         // three-byte form missing one byte
    EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98" "\xD0\x96"), "?\xC6");  // resumes at the next character
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");             // overlong '/'
    EXPECT_EQ(Utf8ToCp1251("\xE0\x80\xAF"), "???");        // overlong three-byte form
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");        // UTF-16 surrogate
    EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????");   // above U+10FFFF
    EXPECT_EQ(Utf8ToCp1251("\xFF\xFE"), "??");
}

// The C library's own table is an independent account of the code page: every byte it
// decodes must come back as the same byte.
TEST(CodePage1251, AgreesWithTheCLibraryOnEveryDefinedByte)
{
    iconv_t decoder = iconv_open("UTF-8", "CP1251");
    ASSERT_NE(decoder, reinterpret_cast<iconv_t>(-1));
    int checked = 0;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        char in[1] = {static_cast<char>(byte)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            continue;  // undefined in the C library's table
        const std::string utf8(out, static_cast<std::size_t>(outPtr - out));
        EXPECT_EQ(Utf8ToCp1251(utf8), std::string(1, static_cast<char>(byte))) << "byte " << byte;
        ++checked;
    }
    iconv_close(decoder);
    EXPECT_GE(checked, 127);
}

}  // namespace
