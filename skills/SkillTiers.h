#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "model/Descriptors.h"

// What makes one skill dialog different from the other three: its bands, its parameter
// boxes and its ids. The dialog itself (SkillDialog) is built from this alone; the value
// lists, their bands, fill rules and database columns come from the descriptor tables.

// A band with a code shows that list as a grid with a fill button that runs the list's
// own fill rule; a band without one holds only its parameter box (Devotion Aura). The
// bands of the lists are their descriptor rows' bands.
struct SkillBand {
    std::string_view title;           // group-box text
    std::optional<std::size_t> code;  // grid's target code = index in ValueLists()
    int gridId = 0;
    int fillButtonId = 0;
};

struct ParameterBox {
    std::size_t band;        // index into SkillTier::bands
    std::string_view label;  // frame title; empty: the box sits bare in its band
    int editId;
    TextField text;
    bool digitsOnly = false;
};

struct UnitSize {
    int width;
    int height;
};

struct SkillTier {
    Tier tier;
    int templateId;
    std::string_view caption;
    UnitSize size;
    int saveButtonId;
    std::span<const SkillBand> bands;     // top to bottom
    std::span<const ParameterBox> boxes;  // in the order they are filled and read back
};

// Tier::One .. Tier::Four; throws std::invalid_argument for Tier::Xp.
const SkillTier& SkillTierOf(Tier tier);

// The control ids name the dialog's widgets (their object names), as the tests find them.

// Layout figures shared by every skill dialog, in dialog units.
inline constexpr UnitSize kGridSize{757, 35};
inline constexpr UnitSize kParameterBoxSize{40, 14};
inline constexpr UnitSize kBareBoxSize{74, 14};
inline constexpr UnitSize kBareBandSize{299, 27};
inline constexpr UnitSize kFillButtonSize{16, 16};
inline constexpr UnitSize kSaveButtonSize{88, 20};
inline constexpr UnitSize kCancelButtonSize{50, 20};
inline constexpr int kGridLeft = 82;
