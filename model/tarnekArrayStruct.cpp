#include "model/tarnekArrayStruct.h"

#include "model/TextReadings.h"

std::string tarnekArrayStruct::NormalizeChanceText(const std::string& text)
{
    if (text.empty() || ReadDecimal(text) <= 0.0)
        return "1.0";
    if (text.find('.') == std::string::npos)
        return text + ".0";
    return text;
}

void tarnekArrayStruct::RefreshMaxLevels()
{
    maxLevels = ReadInteger(levelCountText);
}

void tarnekArrayStruct::DeriveLevelCounts()
{
    RefreshMaxLevels();
    skillLevels = maxLevels / 3;
}
