#include <gtest/gtest.h>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <iconv.h>
#endif

#include <optional>
#include <stdexcept>
#include <string>

#include "pluginsrc/CodePage1251.h"

namespace {

// The system's own table is an independent account of the code page (the whole Russian
// alphabet with Ё and ё, №, €, ...): what it decodes one byte to, in UTF-8; nothing for a
// byte it leaves undefined.
std::optional<std::string> SystemDecoding(char byte)
{
#ifdef _WIN32
    // Windows maps the code page's hole to the control character of the same number.
    wchar_t wide = 0;
    if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1 || (wide >= 0x80 && wide < 0xA0))
        return std::nullopt;
    char out[8] = {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, &wide, 1, out, sizeof out, nullptr, nullptr);
    return std::string(out, static_cast<std::size_t>(length));
#else
    iconv_t decoder = iconv_open("UTF-8", "CP1251");
    if (decoder == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no CP1251 in the C library");
    char in[1] = {byte}, out[8] = {};
    char *inPtr = in, *outPtr = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool decoded = iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(decoder);
    return decoded ? std::optional<std::string>(std::string(out, outPtr)) : std::nullopt;
#endif
}

TEST(CodePage1251, AgreesWithTheSystemOnEveryDefinedByte)
{
    int checked = 0;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::optional<std::string> utf8 = SystemDecoding(static_cast<char>(byte));
        if (!utf8)
            continue;
        EXPECT_EQ(Utf8ToCp1251(*utf8), std::string(1, static_cast<char>(byte))) << "byte " << byte;
        ++checked;
    }
    EXPECT_GE(checked, 127);
    EXPECT_EQ(Utf8ToCp1251(std::string("Ёё№€ a\0b\r\n", 16)), std::string("\xA8\xB8\xB9\x88 a\0b\r\n", 10));
}

// What the code page lacks becomes one '?' per character, whatever its length in UTF-8, and
// each ill-formed subsequence one '?'.
TEST(CodePage1251, EveryCharacterItLacksAndEachIllFormedSequenceBecomesOneQuestionMark)
{
    const std::pair<std::string, std::string> cases[] = {
        {"café x😀y 中", "caf? x?y ?"},
        {"\xC2\x98", "?"},  // U+0098: the hole at 0x98
        {"\x80", "?"},      // stray continuation
        {"a\xD0", "a?"},    // cut off at the end
        {"\xE2\x82"
         "x",
         "?x"},  // cut off before ASCII
        {"\xF0\x9F\x98"
         "\xD0\x96",
         "?\xC6"},                                    // resumes at the next character
        {"\xC0\xAF\xE0\x80\xAF", "?????"},            // overlong forms
        {"\xED\xA0\x80\xF4\x90\x80\x80", "???????"},  // surrogate, past U+10FFFF
    };
    for (const auto& [utf8, cp1251] : cases)
        EXPECT_EQ(Utf8ToCp1251(utf8), cp1251) << utf8;
}

}  // namespace
