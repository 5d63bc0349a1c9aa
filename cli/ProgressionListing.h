#pragma once

#include <string>

#include "model/tarnekArrayStruct.h"

// What "progression" prints: for every level above 0, the kills of the step that reaches
// it and the kills from level 0, in both XP modes; every undefined step named after the
// table. The JSON form carries the same, the gaps with a fixed code as well.
std::string ProgressionTable(const tarnekArrayStruct& model);
std::string ProgressionJson(const tarnekArrayStruct& model);
