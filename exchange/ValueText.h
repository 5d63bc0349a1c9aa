#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"

// What a value text may hold when it comes from outside the editor's own edit boxes:
// valid UTF-8 (the generated sources are converted from it), no control characters
// (a line break in a value would end the plugin's source line), and only the characters
// of a number or a typo of one (model/ValueTextRule.h).

bool IsValidUtf8(std::string_view text);

// The language of a failure: the tool's English, or the window's Russian.
enum class Wording { English, Russian };

// Whether text can be stored as a value; the failure says why not, to follow the value's name.
Result<> CheckValueText(std::string_view text, Wording wording = Wording::English);

// For "show": the text itself, or in JSON quotes when it is empty or holds white space,
// quotes, backslashes or control characters, so that every value reads back unambiguously.
std::string ListingText(std::string_view text);

// Whether text is a level count the editor offers, written as "%d" writes it. The editor's
// level-count box shows any other count only as an extra item, which no level change takes.
Result<> CheckLevelCountText(std::string_view text);
// Whether text is a level count a configuration may hold (model/LevelCounts.h): what import
// and adopt both accept.
Result<> CheckHeldLevelCountText(std::string_view text, Wording wording = Wording::English);
