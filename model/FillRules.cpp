#include "model/FillRules.h"

#include "model/NumberFormats.h"
#include "model/TextReadings.h"

namespace {

// 32-bit arithmetic that wraps modulo 2^32 instead of overflowing.
std::int32_t wrap(std::uint32_t value)
{
    return static_cast<std::int32_t>(value);
}
std::uint32_t bits(std::int32_t value)
{
    return static_cast<std::uint32_t>(value);
}

void restart(ValueList& list, std::int32_t n)
{
    list.clear();
    if (n > 0)
        list.reserve(static_cast<std::size_t>(n));
}

}  // namespace

void FillIncrement(std::int32_t n, const std::string& incrementText, const std::string& initialText, ValueList& list)
{
    restart(list, n);
    const std::int32_t initial = ReadInteger(initialText);
    const std::int32_t increment = ReadInteger(incrementText);
    list.append(initialText);
    for (std::int32_t i = 1; i < n; ++i)
        list.append(FormatInteger(wrap(IncrementElement(bits(initial), bits(increment), bits(i)))));
}

void FillMultiplier(std::int32_t n, const std::string& multiplierText, const std::string& initialText, ValueList& list)
{
    restart(list, n);
    const std::int32_t initial = ReadInteger(initialText);
    const std::int32_t multiplier = ReadInteger(multiplierText);
    list.append(initialText);
    for (std::int32_t i = 1; i < n; ++i)
        list.append(FormatInteger(wrap(MultiplierElement(bits(initial), bits(multiplier), bits(i)))));
}

void FillLinearToMax(std::int32_t n, const std::string& maximumText, ValueList& list)
{
    restart(list, n);
    if (n <= 0)
        return;
    const double step = ReadDecimal(maximumText) / n;
    for (std::int32_t i = 0; i < n; ++i)
        list.append(CompletePoint(FormatFixed((i + 1) * step, 3)));
}

void FillMultiples(std::int32_t n, const std::string& stepText, ValueList& list, std::int32_t mode)
{
    restart(list, n);
    for (std::int32_t i = 0; i < n; ++i) {
        switch (mode) {
        case 0:
            list.append(CompletePoint(FormatGeneral((i + 1) * ReadDecimal(stepText))));
            break;
        case 1:
            list.append(FormatInteger(wrap(bits(i + 1) * bits(ReadInteger(stepText)))));
            break;
        default:
            list.append(std::string());
            break;
        }
    }
}

void FillDecreaseFromFixed(std::int32_t n, const std::string& totalText, ValueList& list)
{
    restart(list, n);
    list.append("0.8");
    if (n <= 1)
        return;
    const double step = -(ReadDecimal(totalText) / n);
    for (std::int32_t i = 1; i < n; ++i)
        list.append(CompletePoint(FormatFixed(ReadDecimal(list.at(static_cast<std::size_t>(i - 1))) + step, 2)));
}

void FillDecreaseToZero(std::int32_t n, const std::string& startText, ValueList& list)
{
    restart(list, n);
    list.append(CompletePoint(startText));
    if (n <= 1)
        return;
    const double step = ReadDecimal(startText) / n;
    for (std::int32_t i = 1; i < n; ++i)
        list.append(CompletePoint(FormatFixed(ReadDecimal(list.at(static_cast<std::size_t>(i - 1))) - step, 2)));
}

void FillDecrement(std::int32_t n, std::int32_t decrement, const std::string& initialText, ValueList& list)
{
    restart(list, n);
    list.append(initialText);
    for (std::int32_t i = 1; i < n; ++i)
        list.append(FormatInteger(wrap(bits(ReadInteger(list.at(static_cast<std::size_t>(i - 1)))) - bits(decrement))));
}

void FillIncreaseFromFixed(std::int32_t n, const std::string& stepText, ValueList& list)
{
    restart(list, n);
    list.append("265.0");
    const double step = ReadDecimal(stepText);
    for (std::int32_t i = 1; i < n; ++i)
        list.append(CompletePoint(FormatFixed(ReadDecimal(list.at(static_cast<std::size_t>(i - 1))) + step, 0)));
}
