#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/ValueList.h"
#include "model/tarnekArrayStruct.h"

// The one description of every value list and parameter text: where it is stored,
// which plugin array it becomes, how long it is and how it is regenerated. Schema,
// load, save, writers, level-count change, dialogs and the headless tool all read it.

using ListField = ValueList tarnekArrayStruct::*;
using TextField = std::string tarnekArrayStruct::*;

// 0 = the XP tables of the main window, 1..4 = the skill tiers.
enum class Tier : std::int8_t { Xp = 0, One = 1, Two = 2, Three = 3, Four = 4 };

enum class LengthRule : std::int8_t {
    Levels,       // maxLevels + 1 (levels 0..maxLevels)
    SkillLevels,  // skillLevels
};

enum class FillRule : std::int8_t {
    Increment,
    Multiplier,
    LinearToMax,
    Multiples,
    DecreaseFromFixed,
    DecreaseToZero,
    Decrement,
    IncreaseFromFixed,
};

// What the plugin declares the array as: plain cells or Float: cells.
enum class ArrayKind : std::int8_t { Integer, Float };

// Where a skill list is edited: its group box in the skill dialog of its tier, top to
// bottom in table order. The control ids name the dialog's widgets. The XP lists sit in
// the main window's own bands, one per list in table order, and leave this empty.
struct DialogBand {
    std::string_view title;  // group-box text
    int gridId = 0;
    int fillButtonId = 0;
    bool opensOnSingleClick = false;  // the one grid whose cell editor opens on a single click
};

// A skill's MIN_PERCENT_/MAX_PERCENT_ pair in skills.inl, for the skills that have one.
struct PercentLines {
    std::string_view name;             // the part after MIN_PERCENT_/MAX_PERCENT_; empty: no lines
    std::string_view minComment = {};  // behind the minimum line; empty: no minimum line
    std::string_view maxComment = {};  // behind the maximum line
    TextField maxChance = nullptr;     // the maximum: this chance text normalised, or
                                       // (nullptr) the skill's own last entry verbatim
};

// What skills.inl says about a skill besides its values. The layout is the plugin's own,
// irregular spacing included, and the generated file must not drift from it.
struct SkillsFileLines {
    std::string_view skill;  // English name in the comment behind the array
    PercentLines percent = {};
    std::string_view declaration = {};  // empty: the regular form from kind and length
    bool devotionFollows = false;       // the Devotion Aura value stands right after this array
};

struct ListDescriptor {
    std::string_view field;  // model field name, also the headless tool's name
    ListField list;
    Tier tier;
    std::string_view table;   // per-level table
    std::string_view column;  // its column
    std::string_view array;   // plugin array
    ArrayKind kind;
    LengthRule length;
    FillRule rule;
    TextField firstParameter;             // increment, multiplier, maximum, step, total, start or decrement
    TextField secondParameter = nullptr;  // initial text, where the rule has one
    std::int32_t mode = 0;                // FillMultiples only
    DialogBand band = {};                 // skill lists only
    SkillsFileLines skillsFile = {};      // skill lists only
};

enum class ParameterUse : std::int8_t { FillRule, SkillsFile };

struct ParameterDescriptor {
    std::string_view field;
    TextField text;
    Tier tier;               // which save writes it: Xp = the whole save, 1..4 = that tier's save
    std::string_view table;  // one-row table
    std::string_view column;
    ParameterUse use;
    bool isChance() const { return use == ParameterUse::SkillsFile; }
};

// A single stored value outside the two tables above.
struct SingleValueDescriptor {
    std::string_view field;
    TextField text;
    Tier tier;
    std::string_view table;
    std::string_view column;
};

inline constexpr std::size_t kListCount = 31;
inline constexpr std::size_t kParameterCount = 46;
// The XP lists come first (target codes 0..3); the main window has a grid and two boxes for each.
inline constexpr std::size_t kXpListCount = 4;

// In table order; a list's index is its grid's target code (0..3 XP, 4..30 skills).
const std::array<ListDescriptor, kListCount>& ValueLists();
const std::array<ParameterDescriptor, kParameterCount>& Parameters();
const SingleValueDescriptor& LevelCountValue();  // "Количество уровней"."Количество уровней"
const SingleValueDescriptor& DevotionValue();  // "Скилы 2 уровня"."Аура преданности (Devotion Aura)"

// Per-level tables in save order, with their position column.
struct LevelTableDescriptor {
    Tier tier;
    std::string_view table;
    std::string_view positionColumn;  // "Уровень" or "Скилл"
};
const std::array<LevelTableDescriptor, 5>& LevelTables();

inline constexpr std::array<Tier, 4> kSkillTiers{Tier::One, Tier::Two, Tier::Three, Tier::Four};

std::span<const ListDescriptor> ListsOfTier(Tier tier);
// The index of the list stored in that member, its target code.
std::size_t IndexOf(ListField list);
std::optional<std::size_t> FindList(std::string_view field);
std::optional<std::size_t> FindParameter(std::string_view field);

// The count a fill of this list gets: maxLevels + 1 or skillLevels, from the model as it is.
std::int32_t FillCount(const ListDescriptor& list, const tarnekArrayStruct& model);
// Runs the list's own rule with its own parameters and the given count.
void RunFill(const ListDescriptor& list, tarnekArrayStruct& model, std::int32_t count);

// The level-count change: maxLevels from levelCountText, the four XP lists (saved XP
// needed first), skillLevels = maxLevels / 3, then the 27 skill lists in table order.
// Devotion Aura and the chances are left alone.
void RecomputeAllLists(tarnekArrayStruct& model);
