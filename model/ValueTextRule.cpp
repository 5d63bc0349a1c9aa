#include "model/ValueTextRule.h"

#include "model/Descriptors.h"
#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsAllowed(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.' ||
           c == ',' || c == '+' || c == '-' || c == ' ' || (c >= U'\u0410' && c <= U'\u044F') || c == U'\u0401' ||
           c == U'\u0451';
}

// The next code point of valid UTF-8 at i, or false.
bool NextCodePoint(std::string_view text, std::size_t& i, char32_t& code)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
    if ((lead & 0xC0) == 0x80 || lead >= 0xF8 || i + length > text.size())
        return false;
    code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (c & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    i += length;
    return true;
}

std::string Shown(std::string_view text, std::size_t from, std::size_t to, char32_t code)
{
    if (code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0))
        return std::string(text.substr(from, to - from));
    std::string shown = "U+00";
    shown += kHexDigits[(code >> 4) & 0xF];
    shown += kHexDigits[code & 0xF];
    return shown;
}

std::string Named(std::string_view kind, std::string_view column, std::string_view field)
{
    return std::string(kind) + " \"" + std::string(column) + "\" (" + std::string(field) + ")";
}

}  // namespace

std::string ListCellName(const ListDescriptor& list, std::size_t i)
{
    const std::string level =
        list.length == LengthRule::Levels ? "уровень " + FormatCount(i) : "уровень навыка " + FormatCount(i + 1);
    return Named("Список", list.column, list.field) + ", " + level;
}

std::string TextFieldName(TextField field)
{
    if (field == LevelCountValue().text)
        return "Количество уровней";
    if (field == DevotionValue().text)
        return Named("Значение", DevotionValue().column, DevotionValue().field);
    for (const ParameterDescriptor& parameter : Parameters())
        if (parameter.text == field)
            return Named("Параметр", parameter.column, parameter.field);
    return "Значение";
}

Result<> CheckText(std::string_view text, const std::string& name)
{
    if (auto checked = CheckValueCharacters(text); !checked)
        return Failure{name + ": " + RefusalReason(checked.failure()) + "."};
    return Done{};
}

Result<Done, RefusedValueText> CheckValueCharacters(std::string_view text)
{
    std::size_t characters = 0;
    char32_t previous = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        const std::size_t from = i;
        char32_t code = 0;
        if (!NextCodePoint(text, i, code))
            return RefusedValueText{RefusedValueText::Reason::NotUtf8, 0, {}};
        if (!IsAllowed(code))
            return RefusedValueText{RefusedValueText::Reason::Character, code, Shown(text, from, i, code)};
        // "++" and "--" are the compiler's increment and decrement: in a #define they would
        // change a variable of the plugin wherever the constant is used.
        if ((code == '+' || code == '-') && code == previous)
            return RefusedValueText{RefusedValueText::Reason::Character, code, std::string(2, static_cast<char>(code))};
        previous = code;
    }
    if (characters > kLongestValueText)
        return RefusedValueText{RefusedValueText::Reason::TooLong, 0, {}};
    return Done{};
}

std::string RefusalReason(const RefusedValueText& refused)
{
    switch (refused.reason) {
    case RefusedValueText::Reason::Character:
        return "символ «" + refused.shown + "» не бывает в числе, а компилятор плагина прочёл бы его как часть кода";
    case RefusedValueText::Reason::TooLong:
        return "текст длиннее " + FormatCount(kLongestValueText) + " знаков, такого числа не бывает";
    case RefusedValueText::Reason::NotUtf8:
        return "текст не в кодировке UTF-8";
    }
    return {};
}

Result<> CheckConfigurationTexts(const tarnekArrayStruct& model)
{
    for (const ListDescriptor& list : ValueLists()) {
        const ValueList& values = model.*list.list;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (auto checked = CheckText(values.at(i), ListCellName(list, i)); !checked)
                return checked;
    }
    for (TextField field : {LevelCountValue().text, DevotionValue().text})
        if (auto checked = CheckText(model.*field, TextFieldName(field)); !checked)
            return checked;
    for (const ParameterDescriptor& parameter : Parameters())
        if (auto checked = CheckText(model.*parameter.text, TextFieldName(parameter.text)); !checked)
            return checked;
    return Done{};
}

Result<> CheckConfigurationForSaving(const tarnekArrayStruct& model)
{
    if (auto texts = CheckConfigurationTexts(model); !texts)
        return texts;
    const std::string& count = model.*LevelCountValue().text;
    if (!IsHeldLevelCountText(count))
        return Failure{"Количество уровней «" + count + "»: нужно целое число от " + FormatInteger(kFewestHeldLevels) +
                       " до " + FormatInteger(kMostHeldLevels) + "; \"Создать уровни\" пересчитает все списки."};
    return Done{};
}

Result<> CheckConfigurationForSources(const tarnekArrayStruct& model)
{
    if (auto saving = CheckConfigurationForSaving(model); !saving)
        return saving;
    const std::int32_t levels = ReadInteger(model.*LevelCountValue().text);
    if (const auto mismatch = FirstListOfWrongLength(model, levels))
        return Failure{WrongLengthText(*mismatch, levels) + "."};
    return Done{};
}
