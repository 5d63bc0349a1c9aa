#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Descriptors.h"
#include "model/Result.h"
#include "model/tarnekArrayStruct.h"

// The level counts the editor offers for a level-count change, the texts of that change,
// and the list lengths a level count implies. The window and the headless tool both take
// them from here.

inline constexpr std::int32_t kFewestLevels = 10;
inline constexpr std::int32_t kMostLevels = 100;
inline constexpr std::int32_t kLevelStep = 3;

inline constexpr std::string_view kTooFewLevelsText = "Нельзя ставить ниже 10 уровня.";
inline constexpr std::string_view kTooManyLevelsText = "Нельзя ставить выше 100 уровня.";
inline constexpr std::string_view kLevelRefusalCaption = "Отказ в создании уровней";
inline constexpr std::string_view kLevelQuestionText =
    "\n Все параметры при изменение количества уровней будут пересчитаны!";
inline constexpr std::string_view kLevelQuestionCaption = "Запрос на изменение уровней";

// 10, 13, ..., 100: what the level-count box lists.
bool IsOfferedLevelCount(std::int32_t levels);
// The same for a stored or read text, which must also be written as "%d" writes the count:
// the level-count box shows any other text as an extra item, marked as not one it offers.
bool IsOfferedLevelCountText(std::string_view text);

// What a configuration read from a file or the database may hold: a count the sources of a
// plugin can have (adopt takes them as they stand), up to one whose lists the editor still
// holds and writes; beyond it a fill would build lists of that length. Written as "%d" writes it.
inline constexpr std::int32_t kFewestHeldLevels = 1;
inline constexpr std::int32_t kMostHeldLevels = 10000;
bool IsHeldLevelCountText(std::string_view text);

// Whether the levels may be recreated for this count; below 10 and above 100 the failure
// is the refusal text. Above 100 every list would be recomputed for a count nobody can
// choose, which for a count stored by another program may mean hundreds of thousands of values.
Result<> CheckLevelCountChange(std::int32_t levels);

// How many values the list holds at this level count: levels + 1 or levels / 3; 0 for a
// count that is not positive.
std::size_t ListLengthFor(const ListDescriptor& list, std::int32_t levels);

struct ListLengthMismatch {
    const ListDescriptor* list = nullptr;
    std::size_t length = 0;
    std::size_t expected = 0;
};

// The first list of the tier (of every tier for std::nullopt), in table order, whose
// length is not what `levels` implies.
std::optional<ListLengthMismatch> FirstListOfWrongLength(const tarnekArrayStruct& model, std::int32_t levels,
                                                         std::optional<Tier> tier = std::nullopt);

// "Список "…" (field) содержит N значений, а при количестве уровней L их должно быть M".
std::string WrongLengthText(const ListLengthMismatch& mismatch, std::int32_t levels);
