#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Descriptors.h"
#include "model/Result.h"
#include "model/tarnekArrayStruct.h"

// Every value text goes verbatim into base.h or skills.inl, inside an array initializer or
// behind a #define. The plugin's compiler turns a text into code as soon as it holds one
// character of its punctuation: a brace or ';' ends the declaration, '(' calls a function,
// '#' starts a directive, a quote a string, '/' a comment, '\' continues a #define onto the
// next line, '=' '<' '>' '!' '&' '|' '^' '~' '*' '%' '?' ':' '@' '$' and '`' are operators,
// tags or its identifier characters. What remains cannot form a statement on one line: the
// digits, letters and '.' of a number (and of hexadecimal or exponent forms), '+' and '-'
// as signs, and '_', ',' and the space that typos of a number hold ("0,5", "1 000").
// Cyrillic letters stay too (a Russian keyboard layout turns "0.5" into "0ю5"). Anything
// else, or a text longer than any number, is refused where it enters the editor.

inline constexpr std::size_t kLongestValueText = 64;

struct RefusedValueText {
    enum class Reason : std::int8_t { Character, TooLong, NotUtf8 };
    Reason reason = Reason::Character;
    char32_t character = 0;  // the first character outside the set
    std::string shown;       // that character as the user sees it: itself, or U+000A for a control character
};

Result<Done, RefusedValueText> CheckValueCharacters(std::string_view text);

// Why a text was refused, in Russian, for a message or a tooltip.
std::string RefusalReason(const RefusedValueText& refused);

// What a message calls a cell or a text: "Список "…" (field), уровень N", "Параметр "…" (field)".
std::string ListCellName(const ListDescriptor& list, std::size_t index);
std::string TextFieldName(TextField field);

// The text under its name: the failure says the name, then why the text is refused.
Result<> CheckText(std::string_view text, const std::string& name);

// The first text of the configuration that cannot go into the plugin's sources: one outside
// the set above, a level count it may not hold (model/LevelCounts.h), or a list not as long
// as the count makes it. The failure names the list and level or the parameter.
Result<> CheckConfigurationForSources(const tarnekArrayStruct& model);
// The same but the lists' lengths, which the database refuses itself, table by table.
Result<> CheckConfigurationForSaving(const tarnekArrayStruct& model);

// The same, for the texts alone: what the source writers refuse as their last line.
Result<> CheckConfigurationTexts(const tarnekArrayStruct& model);
