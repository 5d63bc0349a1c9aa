#include "session/ConfigurationEdit.h"

#include <algorithm>

namespace {

ValueList& ListOf(tarnekArrayStruct& configuration, std::size_t list)
{
    return configuration.*(ValueLists()[list].list);
}

// Puts `texts` in place of `count` cells from `first`; the range is clipped to the list so
// that an edit taken over a list of another length can never read or write past it.
void Splice(ValueList& list, std::size_t first, std::size_t count, const std::vector<std::string>& texts)
{
    std::vector<std::string> cells = list.texts();
    first = std::min(first, cells.size());
    count = std::min(count, cells.size() - first);
    if (count == texts.size()) {
        std::copy(texts.begin(), texts.end(), cells.begin() + static_cast<std::ptrdiff_t>(first));
    } else {
        const auto at = cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(first),
                                    cells.begin() + static_cast<std::ptrdiff_t>(first + count));
        cells.insert(at, texts.begin(), texts.end());
    }
    list = ValueList(std::move(cells));
}

void SetCounts(tarnekArrayStruct& configuration, const LevelCounts& counts)
{
    configuration.maxLevels = counts.maxLevels;
    configuration.skillLevels = counts.skillLevels;
}

}  // namespace

bool Touches(const ConfigurationEdit& edit, std::size_t list)
{
    return std::any_of(edit.lists.begin(), edit.lists.end(), [list](const ListChange& c) { return c.list == list; });
}

bool Touches(const ConfigurationEdit& edit, TextField text)
{
    return std::any_of(edit.texts.begin(), edit.texts.end(), [text](const TextChange& c) { return c.text == text; });
}

LevelCounts CountsOf(const tarnekArrayStruct& configuration)
{
    return {configuration.maxLevels, configuration.skillLevels};
}

const std::vector<TextField>& StoredTexts()
{
    static const std::vector<TextField> texts = [] {
        std::vector<TextField> all;
        for (const ParameterDescriptor& parameter : Parameters())
            all.push_back(parameter.text);
        all.push_back(LevelCountValue().text);
        all.push_back(DevotionValue().text);
        return all;
    }();
    return texts;
}

ConfigurationEdit Difference(const tarnekArrayStruct& from, const tarnekArrayStruct& to)
{
    ConfigurationEdit edit;
    for (std::size_t i = 0; i < ValueLists().size(); ++i) {
        const std::vector<std::string>& before = (from.*(ValueLists()[i].list)).texts();
        const std::vector<std::string>& after = (to.*(ValueLists()[i].list)).texts();
        if (before == after)
            continue;
        if (before.size() != after.size()) {
            edit.lists.push_back({i, 0, before, after});
            continue;
        }
        const auto first = std::mismatch(before.begin(), before.end(), after.begin()).first - before.begin();
        const auto last =
            before.size() - static_cast<std::size_t>(
                                std::mismatch(before.rbegin(), before.rend(), after.rbegin()).first - before.rbegin());
        edit.lists.push_back({i,
                              static_cast<std::size_t>(first),
                              {before.begin() + first, before.begin() + static_cast<std::ptrdiff_t>(last)},
                              {after.begin() + first, after.begin() + static_cast<std::ptrdiff_t>(last)}});
    }
    for (TextField text : StoredTexts())
        if (from.*text != to.*text)
            edit.texts.push_back({text, from.*text, to.*text});
    edit.countsBefore = CountsOf(from);
    edit.countsAfter = CountsOf(to);
    return edit;
}

void Apply(const ConfigurationEdit& edit, tarnekArrayStruct& configuration)
{
    for (const ListChange& change : edit.lists)
        Splice(ListOf(configuration, change.list), change.first, change.before.size(), change.after);
    for (const TextChange& change : edit.texts)
        configuration.*change.text = change.after;
    SetCounts(configuration, edit.countsAfter);
}

void Revert(const ConfigurationEdit& edit, tarnekArrayStruct& configuration)
{
    for (auto change = edit.lists.rbegin(); change != edit.lists.rend(); ++change)
        Splice(ListOf(configuration, change->list), change->first, change->after.size(), change->before);
    for (auto change = edit.texts.rbegin(); change != edit.texts.rend(); ++change)
        configuration.*change->text = change->before;
    SetCounts(configuration, edit.countsBefore);
}
