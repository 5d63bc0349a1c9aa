#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "model/Progression.h"
#include "model/tarnekArrayStruct.h"

// What "progression" prints: for every level above 0, the kills of the step that reaches
// it and the kills from level 0, in both XP modes; every undefined step named after the
// table. The JSON form carries the same, the gaps with a fixed code as well.
std::string ProgressionTable(const tarnekArrayStruct& model);
std::string ProgressionJson(const tarnekArrayStruct& model);

// One mode's steps as the JSON form lists them.
nlohmann::ordered_json ProgressionStepsJson(const tarnekArrayStruct& model, XpMode mode);
// Why a step is undefined, naming its cell, as both forms say it.
std::string GapReason(const tarnekArrayStruct& model, const ProgressionStep& step);
