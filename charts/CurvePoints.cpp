#include "charts/CurvePoints.h"

#include <cmath>

#include "model/TextReadings.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<double> ReadPlottedNumber(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    // Only a text that is a number as a whole is plotted; "1O" or "0,5" leave a gap.
    if (text.empty() || DecimalPrefixLength(text) != text.size())
        return std::nullopt;
    const double value = ReadDecimal(text);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::vector<QPointF>> CurveSegments(const QStringList& texts)
{
    std::vector<std::vector<QPointF>> segments;
    bool inRun = false;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QByteArray utf8 = texts[i].toUtf8();
        const auto value = ReadPlottedNumber(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
        if (!value) {
            inRun = false;
            continue;
        }
        if (!inRun)
            segments.emplace_back();
        segments.back().emplace_back(static_cast<double>(i), *value);
        inRun = true;
    }
    return segments;
}
