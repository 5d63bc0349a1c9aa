#include "exchange/NameLookup.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <string>

#include "model/NumberFormats.h"

namespace {

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t cost = FoldCase(a[i - 1]) == FoldCase(b[j - 1]) ? 0 : 1;
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + cost});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::optional<NamedValue> FindField(std::string_view field)
{
    if (auto list = FindList(field)) {
        const ListDescriptor& d = ValueLists()[*list];
        return NamedValue{NameKind::List, d.field, d.tier, *list, 0, nullptr};
    }
    if (auto parameter = FindParameter(field)) {
        const ParameterDescriptor& d = Parameters()[*parameter];
        return NamedValue{NameKind::Parameter, d.field, d.tier, *parameter, 0, nullptr};
    }
    for (const SingleValueDescriptor* d : {&LevelCountValue(), &DevotionValue()})
        if (d->field == field)
            return NamedValue{NameKind::Single, d->field, d->tier, 0, 0, d};
    return std::nullopt;
}

}  // namespace

const std::vector<std::string_view>& KnownNames()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all;
        all.push_back(LevelCountValue().field);
        for (const ListDescriptor& d : ValueLists())
            all.push_back(d.field);
        all.push_back(DevotionValue().field);
        for (const ParameterDescriptor& d : Parameters())
            all.push_back(d.field);
        return all;
    }();
    return names;
}

std::string_view NearestOf(std::string_view text, std::span<const std::string_view> candidates)
{
    // A few typed characters too many still find their name.
    constexpr std::size_t slack = 3;
    std::size_t longest = 0;
    for (std::string_view name : candidates)
        longest = std::max(longest, name.size());
    if (text.size() > longest + slack)
        return {};

    std::string_view best;
    std::size_t bestDistance = std::numeric_limits<std::size_t>::max();
    for (std::string_view name : candidates) {
        const std::size_t distance = EditDistance(text, name);
        if (distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    return best;
}

std::string_view NearestName(std::string_view text)
{
    return NearestOf(text, KnownNames());
}

std::string ShownName(std::string_view text)
{
    constexpr std::size_t longest = 60;
    if (text.size() <= longest)
        return std::string(text);
    // Cut at a character's first byte, so that a Cyrillic name is not left half a letter.
    std::size_t cut = longest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U)
        --cut;
    return std::string(text.substr(0, cut)) + "... (" + std::to_string(text.size()) + " bytes)";
}

std::string Quoted(std::string_view text, char mark)
{
    return mark + std::string(text) + mark;
}

std::string CellName(std::string_view list, std::size_t index)
{
    return std::string(list) + "[" + FormatCount(index) + "]";
}

std::string UnknownNameMessage(std::string_view what, std::string_view name)
{
    std::string message = std::string(what) + " " + Quoted(ShownName(name)) + "; ";
    const std::string_view nearest = NearestName(name);
    if (!nearest.empty())
        message += "did you mean " + Quoted(nearest) + "? ";
    return message + "(\"tarnek-levels show\" lists every name)";
}

Result<NamedValue> ResolveName(std::string_view text)
{
    const std::size_t bracket = text.find('[');
    if (bracket == std::string_view::npos) {
        if (auto found = FindField(text))
            return *found;
        return Failure{UnknownNameMessage("unknown name", text)};
    }

    const std::string_view field = text.substr(0, bracket);
    const std::string_view rest = text.substr(bracket + 1);
    auto found = FindField(field);
    if (!found)
        return Failure{UnknownNameMessage("unknown name", field)};
    if (found->kind != NameKind::List)
        return Failure{Quoted(ShownName(field)) + " is a single text, not a list: name it without [i]"};

    const std::size_t close = rest.find(']');
    const std::string_view digits = rest.substr(0, close);
    const bool wellFormed = close != std::string_view::npos && close + 1 == rest.size() && !digits.empty() &&
                            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!wellFormed)
        return Failure{Quoted(ShownName(text)) + " is not LIST[i] with a decimal index i from 0"};

    // Saturates: any index too large for size_t is out of every list's range anyway.
    std::size_t index = 0;
    for (char c : digits) {
        const std::size_t digit = static_cast<std::size_t>(c - '0');
        if (index > (std::numeric_limits<std::size_t>::max() - digit) / 10) {
            index = std::numeric_limits<std::size_t>::max();
            break;
        }
        index = index * 10 + digit;
    }
    found->kind = NameKind::Cell;
    found->cell = index;
    return *found;
}

TextField TextFieldOf(const NamedValue& name)
{
    switch (name.kind) {
    case NameKind::Parameter:
        return Parameters()[name.index].text;
    case NameKind::Single:
        return name.single->text;
    case NameKind::List:
    case NameKind::Cell:
        break;
    }
    return nullptr;
}

std::string* TextOf(const NamedValue& name, tarnekArrayStruct& model)
{
    const TextField field = TextFieldOf(name);
    return field ? &(model.*field) : nullptr;
}

const std::string* TextOf(const NamedValue& name, const tarnekArrayStruct& model)
{
    const TextField field = TextFieldOf(name);
    return field ? &(model.*field) : nullptr;
}
