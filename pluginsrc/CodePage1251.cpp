#include "pluginsrc/CodePage1251.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

// Unicode code points of the bytes 0x80..0xFF; 0 marks the one byte (0x98) the code page
// leaves undefined.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0xC0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 0xC8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 0xD0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 0xD8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // 0xE0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // 0xE8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xF0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // 0xF8
};

constexpr char kReplacement = '?';

char EncodeCodePoint(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<char>(cp);
    // А..я are contiguous in both; everything else is a short scan of the table.
    if (cp >= 0x0410 && cp <= 0x044F)
        return static_cast<char>(0xC0 + (cp - 0x0410));
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return kReplacement;
}

bool IsContinuation(std::uint8_t b)
{
    return (b & 0xC0) == 0x80;
}

// Decodes the code point at utf8[i] and moves i past it; nullopt, with i moved past one
// maximal ill-formed subsequence, where the bytes are not well-formed UTF-8.
std::optional<char32_t> NextCodePoint(std::string_view utf8, std::size_t& i)
{
    const auto byteAt = [&](std::size_t at) { return static_cast<std::uint8_t>(utf8[at]); };
    const std::uint8_t lead = byteAt(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }

    // Length and the allowed range of the second byte, which is where overlong forms,
    // surrogates and code points past U+10FFFF are told apart (Unicode table 3-7).
    std::size_t length = 0;
    std::uint8_t secondLow = 0x80, secondHigh = 0xBF;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            secondLow = 0xA0;
        if (lead == 0xED)
            secondHigh = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            secondLow = 0x90;
        if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        ++i;  // stray continuation byte or a byte never used
        return std::nullopt;
    }

    std::size_t taken = 1;
    while (taken < length) {
        if (i + taken >= utf8.size()) {
            i += taken;
            return std::nullopt;
        }
        const std::uint8_t b = byteAt(i + taken);
        const bool fits = taken == 1 ? (b >= secondLow && b <= secondHigh) : IsContinuation(b);
        if (!fits) {
            i += taken;
            return std::nullopt;
        }
        cp = (cp << 6) | (b & 0x3F);
        ++taken;
    }
    i += taken;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Nothing in the code page lies beyond the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::optional<char32_t> cp = NextCodePoint(utf8, i);
        out.push_back(cp ? EncodeCodePoint(*cp) : kReplacement);
    }
    return out;
}

std::string ValidUtf8(std::string_view bytes)
{
    static constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t from = i;
        if (NextCodePoint(bytes, i))
            out.append(bytes.substr(from, i - from));
        else
            out.append(kReplacementCharacter);
    }
    return out;
}

bool IsWellFormedUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (!NextCodePoint(text, i))
            return false;
    }
    return true;
}

std::string Cp1251ToUtf8(std::string_view cp1251)
{
    std::string out;
    out.reserve(cp1251.size() + cp1251.size() / 2);
    for (const char c : cp1251) {
        const auto b = static_cast<std::uint8_t>(c);
        const char32_t cp = b < 0x80 ? char32_t{b} : kHighHalf[b - 0x80];
        AppendUtf8(out, cp == 0 ? U'\uFFFD' : cp);
    }
    return out;
}
