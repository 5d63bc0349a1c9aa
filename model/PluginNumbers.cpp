#include "model/PluginNumbers.h"

#include <algorithm>

#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/TextReadings.h"
#include "model/ValueTextRule.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::size_t digitsAt(std::string_view text, std::size_t i)
{
    std::size_t n = 0;
    while (i + n < text.size() && isDigit(text[i + n]))
        ++n;
    return n;
}

// Pawn literals: an integer is digits; a rational is digits '.' digits with an optional
// exponent 'e' [-] digits. A leading minus is the unary operator and is fine in an initializer.
enum class Shape { Integer, Rational, Other };

// Moves i past an optional minus and the digits after it; false when no digit follows.
bool skipSignedDigits(std::string_view t, std::size_t& i)
{
    if (i < t.size() && t[i] == '-')
        ++i;
    const std::size_t count = digitsAt(t, i);
    i += count;
    return count > 0;
}

Shape shapeOf(std::string_view t)
{
    std::size_t i = 0;
    if (!skipSignedDigits(t, i))
        return Shape::Other;
    if (i == t.size())
        return Shape::Integer;
    if (t[i] != '.')
        return Shape::Other;
    ++i;
    const std::size_t fraction = digitsAt(t, i);
    if (fraction == 0)
        return Shape::Other;
    i += fraction;
    if (i < t.size() && t[i] == 'e') {
        ++i;
        if (!skipSignedDigits(t, i))
            return Shape::Other;
    }
    return i == t.size() ? Shape::Rational : Shape::Other;
}

}  // namespace

std::optional<std::string> CheckPluginNumber(std::string_view text, ArrayKind kind)
{
    if (auto refused = CheckValueCharacters(text); !refused)
        return "Недопустимое значение: " + RefusalReason(refused.failure()) +
               ". Пока оно есть, сохранение и компиляция отменяются.";
    const std::string_view t = trimBlanks(text);
    if (t.empty())
        return std::string("Пустое значение: компилятор плагина не примет пустую ячейку.");
    const Shape shape = shapeOf(t);
    if (kind == ArrayKind::Integer && shape == Shape::Integer)
        return std::nullopt;
    if (kind == ArrayKind::Float && shape == Shape::Rational)
        return std::nullopt;
    if (t.find(',') != std::string_view::npos)
        return std::string("Запятая в числе: компилятор плагина принимает только точку как десятичный разделитель.");
    if (t.find_first_of("eE") != std::string_view::npos && ReadDecimal(t) != 0.0 && shape == Shape::Other)
        return std::string("Экспоненциальная запись (например 1e+006.0): компилятор плагина её не примет.");
    if (kind == ArrayKind::Integer && shape == Shape::Rational)
        return std::string("Массив целочисленный: нужно целое число без точки, например 25.");
    if (kind == ArrayKind::Float && shape == Shape::Integer)
        return std::string("Массив дробный (Float): нужно число с точкой, например 25.0.");
    // A name (MAX_LEVELS) or a sum (1+2) is a constant expression to the compiler, not an error.
    if (std::any_of(t.begin(), t.end(), [](char c) { return isAsciiLetter(c) || c == '_'; }) ||
        t.find_first_of("+-", 1) != std::string_view::npos)
        return std::string("Не число: компилятор плагина прочтёт этот текст как имя или выражение из своих исходников, "
                           "а не как записанное число.");
    return std::string("Не число: компилятор плагина не примет этот текст.");
}

std::size_t DeclaredArraySize(const ListDescriptor& list, const tarnekArrayStruct& model)
{
    return ListLengthFor(list, ReadInteger(model.levelCountText));
}

std::optional<std::string> CheckListLength(const ListDescriptor& list, const tarnekArrayStruct& model)
{
    const std::size_t declared = DeclaredArraySize(list, model);
    const std::size_t actual = (model.*list.list).size();
    if (actual == declared)
        return std::nullopt;
    const std::string bound = list.length == LengthRule::Levels ? "MAX_LEVELS+1" : "MAX_SKILL_LEVEL";
    const std::string consequence = actual > declared ? "компилятор плагина отвергнет лишние значения"
                                                      : "компилятор плагина молча дополнит массив нулями";
    return "В списке " + FormatCountOf(actual, {"значение", "значения", "значений"}) + ", а плагин объявляет " +
           FormatCount(declared) + " (" + bound + "): " + consequence + ".";
}

std::size_t CountMarkedTexts(const tarnekArrayStruct& model)
{
    std::size_t marked = 0;
    for (const ListDescriptor& d : ValueLists()) {
        for (const std::string& text : model.*d.list)
            marked += CheckPluginNumber(text, d.kind) ? 1 : 0;
        marked += CheckListLength(d, model) ? 1 : 0;
    }
    marked += CheckPluginNumber(model.devotionValue, ArrayKind::Integer) ? 1 : 0;
    return marked;
}
