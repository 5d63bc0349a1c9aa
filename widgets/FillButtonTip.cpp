#include "widgets/FillButtonTip.h"

#include <array>

namespace {

// In FillRule order; %1 is the list's first parameter, %2 its second.
constexpr std::array<const char*, 8> kRuleTexts{
    "приращение %1 от исходного %2",     // Increment
    "множитель %1 от исходного %2",      // Multiplier
    "равномерно до максимума %1",        // LinearToMax
    "кратные шагу %1",                   // Multiples
    "убывание от суммы %1",              // DecreaseFromFixed
    "убывание до нуля от %1",            // DecreaseToZero
    "уменьшение на %1 от исходного %2",  // Decrement
    "рост с шагом %1",                   // IncreaseFromFixed
};

}  // namespace

QString FillButtonTip(const ListDescriptor& list, const QString& firstParameter, const QString& secondParameter)
{
    QString rule = QString::fromUtf8(kRuleTexts[static_cast<std::size_t>(list.rule)]).arg(firstParameter);
    if (list.secondParameter != nullptr)
        rule = rule.arg(secondParameter);
    return QStringLiteral("Заполнить: ") + rule;
}
