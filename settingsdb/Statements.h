#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/Descriptors.h"
#include "model/tarnekArrayStruct.h"

// Statement texts of the settings database. Table and column names come from the
// descriptor tables and stand between double quotes; values are always bound to the
// '?' placeholders, never written into the text.

// "name" with any '"' inside doubled.
std::string QuoteName(std::string_view name);

// Rows in the order they were inserted, whatever plan the engine picks.
std::string SelectColumnText(std::string_view table, std::string_view column);
std::string SelectFirstValueText(std::string_view table, std::string_view column);
std::string UpdateValueText(std::string_view table, std::string_view column);
std::string DeleteAllRowsText(std::string_view table);
// INSERT INTO "t"<7 tabs>("c1",<7 tabs>"c2")<7 tabs>VALUES (?,?);
std::string InsertRowText(std::string_view table, const std::vector<std::string_view>& columns);

// The columns of one per-level table and where each row's values come from.
struct LevelTableLayout {
    const LevelTableDescriptor* table = nullptr;
    std::vector<const ListDescriptor*> lists;            // one value per level
    std::vector<const SingleValueDescriptor*> repeated;  // the same value in every row

    // Position column first, then the lists, then the repeated values.
    std::vector<std::string_view> Columns() const;
    // The longest list's length: no list is cut short.
    std::size_t RowCount(const tarnekArrayStruct& model) const;
    // The values of row `row` after the position, in Columns() order; empty text past
    // the end of a shorter list.
    void RowValues(const tarnekArrayStruct& model, std::size_t row, std::vector<const std::string*>& values) const;
};

LevelTableLayout LayoutOf(Tier tier);

// A one-row value a save of `tier` writes, with the text it stores.
struct ParameterWrite {
    std::string_view table;
    std::string_view column;
    std::string value;
};
// The level count (for Tier::Xp) and every parameter of the tier, chances normalised.
std::vector<ParameterWrite> ParameterWritesOf(Tier tier, const tarnekArrayStruct& model);
