#pragma once

#include <string_view>

#include <QString>

// The core keeps its texts as UTF-8; Qt wants them as QString.
inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
