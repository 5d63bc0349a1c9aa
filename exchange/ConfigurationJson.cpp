#include "exchange/ConfigurationJson.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>

#include <nlohmann/json.hpp>

#include "exchange/NameLookup.h"
#include "exchange/ValueText.h"
#include "model/Descriptors.h"
#include "model/LevelCounts.h"
#include "model/NumberFormats.h"
#include "model/Result.h"
#include "model/TextReadings.h"

using Json = nlohmann::ordered_json;

namespace {

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

// Picks a failure's words for the tool or for the window.
struct Words {
    Wording wording;
    std::string operator()(std::string english, std::string russian) const
    {
        return wording == Wording::English ? std::move(english) : std::move(russian);
    }
};

Result<> ReadText(const Json& value, std::string_view name, std::string& into, Words say)
{
    if (!value.is_string())
        return Failure{
            say("key " + Quoted(name) + " must be a string", "ключ " + Quoted(name) + " должен быть строкой")};
    const auto& text = value.get_ref<const std::string&>();
    if (auto checked = CheckValueText(text, say.wording); !checked)
        return Failure{say("the value of " + Quoted(name) + " ", "значение " + Quoted(name) + ": ") +
                       checked.failure().text};
    into = text;
    return Done{};
}

Result<> ReadList(const Json& value, std::string_view name, ValueList& into, Words say)
{
    if (!value.is_array())
        return Failure{say("key " + Quoted(name) + " must be an array of strings",
                           "ключ " + Quoted(name) + " должен быть массивом строк")};
    std::vector<std::string> texts;
    texts.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const Json& element = value[i];
        if (!element.is_string())
            return Failure{CellName(name, i) + say(" must be a string", " должно быть строкой")};
        const auto& text = element.get_ref<const std::string&>();
        if (auto checked = CheckValueText(text, say.wording); !checked)
            return Failure{say("the value of " + CellName(name, i) + " ", "значение " + CellName(name, i) + ": ") +
                           checked.failure().text};
        texts.push_back(text);
    }
    into = ValueList(std::move(texts));
    return Done{};
}

// The lists must be as long as the level count makes them: the database stores each table
// row by row beside that count, and the plugin declares its arrays by it.
Result<> CheckLevelCount(const tarnekArrayStruct& model, Words say)
{
    const std::string_view countKey = LevelCountValue().field;
    if (auto checked = CheckHeldLevelCountText(model.*LevelCountValue().text, say.wording); !checked)
        return Failure{say("the value of ", "значение ") + Quoted(countKey) + ": " + checked.failure().text};
    const std::int32_t levels = ReadInteger(model.*LevelCountValue().text);
    if (auto mismatch = FirstListOfWrongLength(model, levels))
        return Failure{say(Quoted(mismatch->list->field) + " has " + FormatCount(mismatch->length) + " values, but " +
                               FormatInteger(levels) + " levels need " + FormatCount(mismatch->expected),
                           WrongLengthText(*mismatch, levels))};
    return Done{};
}

std::string UnknownKeyText(std::string_view key)
{
    std::string text = "неизвестный ключ " + Quoted(ShownName(key));
    if (const std::string_view nearest = NearestName(key); !nearest.empty())
        text += "; может быть, " + Quoted(nearest) + "?";
    return text;
}

// The depth, as the parser counts it, of the configuration's arrays inside its one object.
constexpr int kDeepestNesting = 1;

struct TooDeep {};

}  // namespace

Result<std::string> ConfigurationToJson(const tarnekArrayStruct& model, Wording wording)
{
    const Words say{wording};
    auto notUtf8 = [&](const std::string& name) {
        return Failure{say("the value of " + name + " is not valid UTF-8 and cannot be exported",
                           "значение " + name + " не в кодировке UTF-8, его нельзя экспортировать")};
    };
    Json root = Json::object();
    auto text = [&](std::string_view name, const std::string& value) -> Result<> {
        if (!IsValidUtf8(value))
            return notUtf8(Quoted(name));
        root[std::string(name)] = value;
        return Done{};
    };

    if (auto added = text(LevelCountValue().field, model.*LevelCountValue().text); !added)
        return added.failure();
    for (const ListDescriptor& d : ValueLists()) {
        Json array = Json::array();
        const ValueList& list = model.*d.list;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (!IsValidUtf8(list.at(i)))
                return notUtf8(CellName(d.field, i));
            array.push_back(list.at(i));
        }
        root[std::string(d.field)] = std::move(array);
    }
    if (auto added = text(DevotionValue().field, model.*DevotionValue().text); !added)
        return added.failure();
    for (const ParameterDescriptor& d : Parameters())
        if (auto added = text(d.field, model.*d.text); !added)
            return added.failure();

    return root.dump(2) + "\n";
}

Result<tarnekArrayStruct> ConfigurationFromJson(std::string_view text, Wording wording)
{
    const Words say{wording};
    const std::string megabytes = FormatCount(kLargestConfigurationText / (1024 * 1024));
    if (text.size() > kLargestConfigurationText)
        return Failure{
            say("the file is larger than " + megabytes + " MB, more than any configuration can be; it was not read",
                "файл больше " + megabytes + " МБ, больше любых настроек; он не прочитан")};
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
        return Failure{say("not valid JSON: " + WithoutExceptionId(e.what()),
                           "это не JSON: ошибка в байте " + FormatCount(e.byte))};
    } catch (const TooDeep&) {
        return Failure{say("arrays or objects are nested deeper than the configuration's (one object holding "
                           "arrays of strings)",
                           "массивы или объекты вложены глубже, чем в настройках (один объект с массивами строк)")};
    }
    if (!root.is_object())
        return Failure{say("the JSON must be one object holding the configuration's keys (as \"export\" writes it)",
                           "JSON должен быть одним объектом с ключами настроек (как его пишет «Экспорт настроек…»)")};
    if (!duplicate.empty())
        return Failure{say("key ", "ключ ") + Quoted(ShownName(duplicate)) +
                       say(" appears more than once", " встречается больше одного раза")};

    tarnekArrayStruct model;
    for (const auto& [key, value] : root.items()) {
        const auto found = ResolveName(key);
        if (!found || found->kind == NameKind::Cell)
            return Failure{say(UnknownNameMessage("unknown key", key), UnknownKeyText(key))};
        const Result<> read = found->kind == NameKind::List
                                  ? ReadList(value, key, model.*(ValueLists()[found->index].list), say)
                                  : ReadText(value, key, *TextOf(*found, model), say);
        if (!read)
            return read.failure();
    }
    for (std::string_view name : KnownNames())
        if (!root.contains(std::string(name)))
            return Failure{say("missing key ", "нет ключа ") + Quoted(name)};
    if (auto counted = CheckLevelCount(model, say); !counted)
        return counted.failure();
    return model;
}
