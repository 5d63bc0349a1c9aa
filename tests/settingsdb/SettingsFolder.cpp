#include "SettingsFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "CarriedDatabase.h"
#include "Descriptors.h"
#include "InitialConfiguration.h"
#include "NumberFormats.h"

namespace fs = std::filesystem;

SettingsFolder::SettingsFolder() : previous_(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "tarnek-settingsdb-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory");
    path_ = fs::canonical(pattern);
    fs::current_path(path_);
}

SettingsFolder::~SettingsFolder()
{
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

fs::path SettingsFolder::DatabaseFile() const
{
    return path_ / "TarnekChangeLevelDatabase" / "TarnekChangeLevel.mdb";
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string CarriedBytes()
{
    const auto bytes = CarriedDatabase();
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void ExecuteBehindTheBack(const fs::path& file, const std::string& sql)
{
    SQLite::Database other(file, SQLite::OPEN_READWRITE);
    other.exec(sql);
}

TableDump DumpTables(const fs::path& file)
{
    SQLite::Database db(file, SQLite::OPEN_READONLY);
    TableDump dump;
    SQLite::Statement tables(db, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name");
    while (tables.executeStep()) {
        const std::string name = tables.getColumn(0).getString();
        auto& rows = dump[name];
        SQLite::Statement query(db, "SELECT * FROM \"" + name + "\" ORDER BY rowid");
        while (query.executeStep()) {
            auto& row = rows.emplace_back();
            for (int i = 0; i < query.getColumnCount(); ++i)
                row.push_back(query.getColumn(i).getString());
        }
    }
    return dump;
}

tarnekArrayStruct ChangedEverywhere(const std::string& tag)
{
    tarnekArrayStruct model = InitialConfiguration();
    for (const ListDescriptor& list : ValueLists()) {
        ValueList& texts = model.*(list.list);
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts.set(i, std::string(list.field) + "[" + FormatInteger(static_cast<std::int32_t>(i)) + "]" + tag);
    }
    model.devotionValue = "devotion" + tag;
    model.levelCountText = "count" + tag;
    int chance = 2;
    for (const ParameterDescriptor& parameter : Parameters()) {
        model.*(parameter.text) =
            parameter.isChance() ? FormatInteger(chance++) + ".5" : std::string(parameter.field) + tag;
    }
    return model;
}

tarnekArrayStruct DatabaseTest::Load()
{
    tarnekArrayStruct model;
    db.LoadAll(model);
    return model;
}

ValueList DatabaseTest::Column(const std::string& table, const std::string& column)
{
    ValueList values;
    db.SelectColumn(table, column, values);
    return values;
}

void DatabaseTest::ExpectOneMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, text);
    EXPECT_EQ(sink.messages[0].caption, caption);
    EXPECT_EQ(sink.messages[0].icon, icon);
}

void DatabaseTest::ExpectOneWarning(const std::string& engineText)
{
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].text.find(engineText), std::string::npos) << sink.messages[0].text;
    EXPECT_EQ(sink.messages[0].caption, "TarnekChangeLevel");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Warning);
}
