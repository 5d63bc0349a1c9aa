#pragma once

#include <string>
#include <utility>

#include "pluginsrc/CodePage1251.h"
#include "pluginsrc/xpBaseStruct.h"

// base.h and skills.inl as the writers put them on disk for `model`, byte for byte.
inline std::pair<std::string, std::string> WrittenSources(const tarnekArrayStruct& model)
{
    return {Utf8ToCp1251(xpBaseStruct::BaseHeaderText(model)), Utf8ToCp1251(xpBaseStruct::SkillsIncludeText(model))};
}
