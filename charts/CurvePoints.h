#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include <QPointF>
#include <QStringList>

// Turning a row of value texts into what a chart draws. A text is plotted only when the
// whole of it is one decimal number; anything else (empty, "0,5", "1O", "1e+006.0") is a
// gap, so a typo never shows up as a plausible-looking 0.

// The value of a text that is one finite number from end to end (surrounding blanks
// allowed), read with the editor's locale-independent decimal reading.
std::optional<double> ReadPlottedNumber(std::string_view text);

// The runs of consecutive plotted values as (index, value) points; a text that is not
// plotted ends a run.
std::vector<std::vector<QPointF>> CurveSegments(const QStringList& texts);
