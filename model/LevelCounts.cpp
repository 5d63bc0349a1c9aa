#include "model/LevelCounts.h"

#include "model/NumberFormats.h"
#include "model/TextReadings.h"

bool IsOfferedLevelCount(std::int32_t levels)
{
    return levels >= kFewestLevels && levels <= kMostLevels && (levels - kFewestLevels) % kLevelStep == 0;
}

bool IsOfferedLevelCountText(std::string_view text)
{
    const std::int32_t levels = ReadInteger(text);
    return IsOfferedLevelCount(levels) && text == FormatInteger(levels);
}

bool IsHeldLevelCountText(std::string_view text)
{
    const std::int32_t levels = ReadInteger(text);
    return levels >= kFewestHeldLevels && levels <= kMostHeldLevels && text == FormatInteger(levels);
}

Result<> CheckLevelCountChange(std::int32_t levels)
{
    if (levels < kFewestLevels)
        return Failure{std::string(kTooFewLevelsText)};
    if (levels > kMostLevels)
        return Failure{std::string(kTooManyLevelsText)};
    return Done{};
}

std::size_t ListLengthFor(const ListDescriptor& list, std::int32_t levels)
{
    const std::int64_t length = list.length == LengthRule::Levels ? std::int64_t{levels} + 1 : levels / 3;
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

std::string WrongLengthText(const ListLengthMismatch& mismatch, std::int32_t levels)
{
    return "Список \"" + std::string(mismatch.list->column) + "\" (" + std::string(mismatch.list->field) +
           ") содержит " + FormatCountOf(mismatch.length, {"значение", "значения", "значений"}) +
           ", а при количестве уровней " + FormatInteger(levels) + " их должно быть " + FormatCount(mismatch.expected);
}

std::optional<ListLengthMismatch> FirstListOfWrongLength(const tarnekArrayStruct& model, std::int32_t levels,
                                                         std::optional<Tier> tier)
{
    for (const ListDescriptor& list : ValueLists()) {
        if (tier && list.tier != *tier)
            continue;
        const std::size_t length = (model.*list.list).size();
        const std::size_t expected = ListLengthFor(list, levels);
        if (length != expected)
            return ListLengthMismatch{&list, length, expected};
    }
    return std::nullopt;
}
