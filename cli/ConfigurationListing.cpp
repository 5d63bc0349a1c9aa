#include "cli/ConfigurationListing.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/ValueText.h"
#include "model/Descriptors.h"
#include "model/NumberFormats.h"

namespace {

struct Line {
    std::string label;
    std::string value;
};

struct Section {
    Tier tier;
    std::string_view title;
};

constexpr Section kSections[] = {
    {Tier::Xp, "XP tables (main window)"}, {Tier::One, "Skills, tier 1"},  {Tier::Two, "Skills, tier 2"},
    {Tier::Three, "Skills, tier 3"},       {Tier::Four, "Skills, tier 4"},
};

std::string JoinValues(const ValueList& list)
{
    std::string joined;
    for (const std::string& text : list) {
        if (!joined.empty())
            joined += ' ';
        joined += ListingText(text);
    }
    return joined;
}

// "[0..10]": the indices that set LIST[i] takes.
std::string IndexRange(const ValueList& list)
{
    if (list.empty())
        return "[]";
    return "[0.." + FormatInteger(static_cast<std::int32_t>(list.size() - 1)) + "]";
}

void AddSingle(std::vector<Line>& lines, const SingleValueDescriptor& d, const tarnekArrayStruct& model)
{
    lines.push_back({std::string(d.field), ListingText(model.*d.text)});
}

}  // namespace

std::string ConfigurationListing(const tarnekArrayStruct& model)
{
    std::vector<std::pair<std::string_view, std::vector<Line>>> sections;
    for (const Section& section : kSections) {
        std::vector<Line> lines;
        if (section.tier == LevelCountValue().tier)
            AddSingle(lines, LevelCountValue(), model);
        for (const ListDescriptor& d : ListsOfTier(section.tier)) {
            const ValueList& list = model.*d.list;
            lines.push_back({std::string(d.field) + IndexRange(list), JoinValues(list)});
        }
        if (section.tier == DevotionValue().tier)
            AddSingle(lines, DevotionValue(), model);
        for (const ParameterDescriptor& d : Parameters())
            if (d.tier == section.tier)
                lines.push_back({std::string(d.field), ListingText(model.*d.text)});
        sections.emplace_back(section.title, std::move(lines));
    }

    std::size_t width = 0;
    for (const auto& [title, lines] : sections)
        for (const Line& line : lines)
            width = std::max(width, line.label.size());

    std::string out;
    for (const auto& [title, lines] : sections) {
        if (!out.empty())
            out += '\n';
        out += "# ";
        out += title;
        out += '\n';
        for (const Line& line : lines) {
            out += line.label;
            out.append(width + 2 - line.label.size(), ' ');
            out += line.value;
            out += '\n';
        }
    }
    return out;
}
