#include "CurvePoints.h"

#include <cmath>

#include "TextReadings.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The grammar ReadDecimal reads its prefix with, required here to cover the whole text.
bool IsWholeNumber(std::string_view t)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        std::size_t exponent = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++exponent;
        }
        if (exponent == 0)
            return false;
    }
    return i == t.size();
}

} // namespace

std::optional<double> ReadPlottedNumber(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (!IsWholeNumber(text))
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
