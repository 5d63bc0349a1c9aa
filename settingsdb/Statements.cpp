#include "settingsdb/Statements.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::string_view kSevenTabs = "\t\t\t\t\t\t\t";

const std::string kEmptyText;

bool IsLevelTable(std::string_view table)
{
    const auto& tables = LevelTables();
    return std::any_of(tables.begin(), tables.end(),
                       [table](const LevelTableDescriptor& t) { return t.table == table; });
}

// Increments, maximum percentages, a race's own values, maximum chances.
int SkillTableRank(std::string_view table)
{
    if (table == "Приращение")
        return 0;
    if (table == "Максимальный %")
        return 1;
    if (table == "Максимальный шанс")
        return 3;
    return 2;
}

}  // namespace

std::string QuoteName(std::string_view name)
{
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    for (const char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string SelectColumnText(std::string_view table, std::string_view column)
{
    return "SELECT " + QuoteName(column) + " FROM " + QuoteName(table) + " ORDER BY rowid";
}

std::string SelectFirstValueText(std::string_view table, std::string_view column)
{
    return SelectColumnText(table, column) + " LIMIT 1";
}

std::string UpdateValueText(std::string_view table, std::string_view column)
{
    return "UPDATE " + QuoteName(table) + " SET " + QuoteName(column) + " = ?;";
}

std::string DeleteAllRowsText(std::string_view table)
{
    return "DELETE FROM " + QuoteName(table) + ";";
}

std::string InsertRowText(std::string_view table, const std::vector<std::string_view>& columns)
{
    std::string text = "INSERT INTO " + QuoteName(table);
    // The XP table's statement has always carried one space before its tabs.
    if (table == LevelTables().front().table)
        text += ' ';
    text += kSevenTabs;
    text += '(';
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) {
            text += ',';
            text += kSevenTabs;
        }
        text += QuoteName(columns[i]);
    }
    text += ')';
    text += kSevenTabs;
    text += "VALUES (";
    for (std::size_t i = 0; i < columns.size(); ++i)
        text += i > 0 ? ",?" : "?";
    text += ");";
    return text;
}

std::vector<std::string_view> LevelTableLayout::Columns() const
{
    std::vector<std::string_view> columns;
    columns.reserve(1 + lists.size() + repeated.size());
    columns.push_back(table->positionColumn);
    for (const ListDescriptor* list : lists)
        columns.push_back(list->column);
    for (const SingleValueDescriptor* value : repeated)
        columns.push_back(value->column);
    return columns;
}

std::size_t LevelTableLayout::RowCount(const tarnekArrayStruct& model) const
{
    std::size_t rows = 0;
    for (const ListDescriptor* list : lists)
        rows = std::max(rows, (model.*(list->list)).size());
    return rows;
}

void LevelTableLayout::RowValues(const tarnekArrayStruct& model, std::size_t row,
                                 std::vector<const std::string*>& values) const
{
    values.clear();
    for (const ListDescriptor* list : lists) {
        const ValueList& texts = model.*(list->list);
        values.push_back(row < texts.size() ? &texts.at(row) : &kEmptyText);
    }
    for (const SingleValueDescriptor* value : repeated)
        values.push_back(&(model.*(value->text)));
}

LevelTableLayout LayoutOf(Tier tier)
{
    LevelTableLayout layout;
    for (const LevelTableDescriptor& table : LevelTables()) {
        if (table.tier == tier)
            layout.table = &table;
    }
    if (layout.table == nullptr)
        throw std::invalid_argument("no per-level table for this tier");
    for (const ListDescriptor& list : ValueLists()) {
        if (list.table == layout.table->table)
            layout.lists.push_back(&list);
    }
    for (const SingleValueDescriptor* value : {&LevelCountValue(), &DevotionValue()}) {
        if (value->table == layout.table->table)
            layout.repeated.push_back(value);
    }
    return layout;
}

std::vector<ParameterWrite> ParameterWritesOf(Tier tier, const tarnekArrayStruct& model)
{
    std::vector<ParameterWrite> writes;
    for (const SingleValueDescriptor* value : {&LevelCountValue(), &DevotionValue()}) {
        // Devotion Aura lives in a per-level table and is written with its rows.
        if (value->tier == tier && !IsLevelTable(value->table))
            writes.push_back({value->table, value->column, model.*(value->text)});
    }
    const std::size_t first = writes.size();
    for (const ParameterDescriptor& parameter : Parameters()) {
        if (parameter.tier != tier)
            continue;
        const std::string& text = model.*(parameter.text);
        writes.push_back({parameter.table, parameter.column,
                          parameter.isChance() ? tarnekArrayStruct::NormalizeChanceText(text) : text});
    }
    // A skill dialog's save goes table by table: the increments, the maximum percentages,
    // the race's own values, the maximum chances; within a table in column order. Which
    // failure is reported first depends on it.
    if (tier != Tier::Xp)
        std::stable_sort(writes.begin() + static_cast<std::ptrdiff_t>(first), writes.end(),
                         [](const ParameterWrite& a, const ParameterWrite& b) {
                             return SkillTableRank(a.table) < SkillTableRank(b.table);
                         });
    return writes;
}
