#include "exchange/ValueText.h"

#include <cstdint>

#include "exchange/NameLookup.h"
#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"
#include "model/ValueTextRule.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (!IsContinuation(c))
                return false;
            code = (code << 6) | (c & 0x3F);
        }
        constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

Result<> CheckValueText(std::string_view text, Wording wording)
{
    const bool english = wording == Wording::English;
    if (!IsValidUtf8(text))
        return Failure{english ? "is not valid UTF-8" : "текст не в кодировке UTF-8"};
    for (char c : text)
        if (IsControl(static_cast<unsigned char>(c)))
            return Failure{english ? "holds a control character (line break, tab or similar)"
                                   : "в тексте управляющий символ (перевод строки, табуляция или подобный)"};
    const auto refused = CheckValueCharacters(text);
    if (refused)
        return Done{};
    if (!english)
        return Failure{RefusalReason(refused.failure())};
    if (refused.failure().reason == RefusedValueText::Reason::TooLong)
        return Failure{"is longer than " + FormatCount(kLongestValueText) + " characters, which no number is"};
    return Failure{"holds " + Quoted(refused.failure().shown) +
                   ", a character no number has: the plugin's compiler would read it as code"};
}

std::string ListingText(std::string_view text)
{
    bool plain = !text.empty();
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (IsControl(u) || c == ' ' || c == '"' || c == '\\')
            plain = false;
    }
    if (plain)
        return std::string(text);

    std::string quoted = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (IsControl(u)) {
            quoted += "\\u00";
            quoted += kHexDigits[u >> 4];
            quoted += kHexDigits[u & 0x0F];
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

Result<> CheckHeldLevelCountText(std::string_view text, Wording wording)
{
    if (IsHeldLevelCountText(text))
        return Done{};
    if (wording == Wording::Russian)
        return Failure{Quoted(ShownName(text)) +
                       " — не количество уровней, которое может быть в настройках: нужно "
                       "целое число от " +
                       FormatInteger(kFewestHeldLevels) + " до " + FormatInteger(kMostHeldLevels)};
    return Failure{Quoted(ShownName(text)) + " is not a level count the editor can hold: a whole number from " +
                   FormatInteger(kFewestHeldLevels) + " to " + FormatInteger(kMostHeldLevels)};
}

Result<> CheckLevelCountText(std::string_view text)
{
    if (IsOfferedLevelCountText(text))
        return Done{};
    return Failure{Quoted(ShownName(text)) +
                   " is not one of the level counts the editor offers: " + FormatInteger(kFewestLevels) + ", " +
                   FormatInteger(kFewestLevels + kLevelStep) + ", " + FormatInteger(kFewestLevels + 2 * kLevelStep) +
                   ", ..., " + FormatInteger(kMostLevels) + " (steps of " + FormatInteger(kLevelStep) + ")"};
}
