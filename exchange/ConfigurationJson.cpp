#include "ConfigurationJson.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <utility>

#include <nlohmann/json.hpp>

#include "Descriptors.h"
#include "LevelCounts.h"
#include "NameLookup.h"
#include "NumberFormats.h"
#include "TextReadings.h"
#include "ValueText.h"

using Json = nlohmann::ordered_json;

namespace {

std::string Quoted(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

std::string Count(std::size_t n)
{
    return FormatInteger(static_cast<std::int32_t>(std::min<std::size_t>(n, INT32_MAX)));
}

std::string CellName(std::string_view list, std::size_t i)
{
    return std::string(list) + "[" + Count(i) + "]";
}

// nlohmann's messages start with "[json.exception.parse_error.101] "; the user needs the rest.
std::string WithoutExceptionId(const char* what)
{
    std::string text = what;
    if (!text.empty() && text.front() == '[') {
        const std::size_t end = text.find("] ");
        if (end != std::string::npos)
            text.erase(0, end + 2);
    }
    return text;
}

std::optional<JsonError> ReadText(const Json& value, std::string_view name, std::string& into)
{
    if (!value.is_string())
        return JsonError{"key " + Quoted(name) + " must be a string"};
    const auto& text = value.get_ref<const std::string&>();
    if (auto problem = ValueTextProblem(text))
        return JsonError{"the value of " + Quoted(name) + " " + *problem};
    into = text;
    return std::nullopt;
}

std::optional<JsonError> ReadList(const Json& value, std::string_view name, ValueList& into)
{
    if (!value.is_array())
        return JsonError{"key " + Quoted(name) + " must be an array of strings"};
    std::vector<std::string> texts;
    texts.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const Json& element = value[i];
        if (!element.is_string())
            return JsonError{CellName(name, i) + " must be a string"};
        const auto& text = element.get_ref<const std::string&>();
        if (auto problem = ValueTextProblem(text))
            return JsonError{"the value of " + CellName(name, i) + " " + *problem};
        texts.push_back(text);
    }
    into = ValueList(std::move(texts));
    return std::nullopt;
}

// The lists must be as long as the level count makes them: the database stores each table
// row by row beside that count, and the plugin declares its arrays by it.
std::optional<JsonError> CheckLevelCount(const tarnekArrayStruct& model)
{
    const std::string_view countKey = LevelCountValue().field;
    if (auto problem = LevelCountTextProblem(model.*LevelCountValue().text))
        return JsonError{"the value of " + Quoted(countKey) + ": " + *problem};
    const std::int32_t levels = ReadInteger(model.*LevelCountValue().text);
    if (auto mismatch = FirstListOfWrongLength(model, levels))
        return JsonError{Quoted(mismatch->list->field) + " has " + Count(mismatch->length) + " values, but " +
                         FormatInteger(levels) + " levels need " + Count(mismatch->expected)};
    return std::nullopt;
}

// The depth, as the parser counts it, of the configuration's arrays inside its one object.
constexpr int kDeepestNesting = 1;

struct TooDeep {};

}  // namespace

std::variant<std::string, JsonError> ConfigurationToJson(const tarnekArrayStruct& model)
{
    Json root = Json::object();
    auto text = [&](std::string_view name, const std::string& value) -> std::optional<JsonError> {
        if (!IsValidUtf8(value))
            return JsonError{"the value of " + Quoted(name) + " is not valid UTF-8 and cannot be exported"};
        root[std::string(name)] = value;
        return std::nullopt;
    };

    if (auto error = text(LevelCountValue().field, model.*LevelCountValue().text))
        return *error;
    for (const ListDescriptor& d : ValueLists()) {
        Json array = Json::array();
        const ValueList& list = model.*d.list;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (!IsValidUtf8(list.at(i)))
                return JsonError{"the value of " + CellName(d.field, i) + " is not valid UTF-8 and cannot be exported"};
            array.push_back(list.at(i));
        }
        root[std::string(d.field)] = std::move(array);
    }
    if (auto error = text(DevotionValue().field, model.*DevotionValue().text))
        return *error;
    for (const ParameterDescriptor& d : Parameters())
        if (auto error = text(d.field, model.*d.text))
            return *error;

    return root.dump(2) + "\n";
}

std::variant<tarnekArrayStruct, JsonError> ConfigurationFromJson(std::string_view text)
{
    // The parser keeps one of two equal keys silently; a duplicate is refused instead.
    std::string duplicate;
    std::set<std::string> seenKeys;
    const Json::parser_callback_t noteKeys = [&](int depth, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::key && depth == 1 && !seenKeys.insert(parsed.get<std::string>()).second &&
            duplicate.empty())
            duplicate = parsed.get<std::string>();
        // The configuration is one object of arrays: anything nested deeper is refused as it
        // starts, before the library builds it (copying or freeing a value nested some
        // thousands deep recurses until the stack runs out).
        if ((event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start) &&
            depth > kDeepestNesting)
            throw TooDeep{};
        return true;
    };

    Json root;
    try {
        root = Json::parse(text.begin(), text.end(), noteKeys);
    } catch (const Json::parse_error& e) {
        return JsonError{"not valid JSON: " + WithoutExceptionId(e.what())};
    } catch (const TooDeep&) {
        return JsonError{"arrays or objects are nested deeper than the configuration's (one object holding "
                         "arrays of strings)"};
    }
    if (!root.is_object())
        return JsonError{"the JSON must be one object holding the configuration's keys (as \"export\" writes it)"};
    if (!duplicate.empty())
        return JsonError{"key " + Quoted(ShownName(duplicate)) + " appears more than once"};

    tarnekArrayStruct model;
    for (const auto& [key, value] : root.items()) {
        const auto name = ResolveName(key);
        const NamedValue* found = std::get_if<NamedValue>(&name);
        if (!found || found->kind == NameKind::Cell)
            return JsonError{UnknownNameMessage("unknown key", key)};
        std::optional<JsonError> error;
        if (found->kind == NameKind::List)
            error = ReadList(value, key, model.*(ValueLists()[found->index].list));
        else
            error = ReadText(value, key, *TextOf(*found, model));
        if (error)
            return *error;
    }
    for (std::string_view name : KnownNames())
        if (!root.contains(std::string(name)))
            return JsonError{"missing key " + Quoted(name)};
    if (auto error = CheckLevelCount(model))
        return *error;
    return model;
}
