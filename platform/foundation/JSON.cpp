#include "platform/foundation/JSON.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/foundation/NestingLimit.h"

namespace foundation {
namespace {

using nlohmann::json;

Value fromJson(const json& node) {
    switch (node.type()) {
        case json::value_t::null:
            return Value();
        case json::value_t::boolean:
            return Value(node.get<bool>());
        case json::value_t::number_integer:
            return Value(node.get<std::int64_t>());
        case json::value_t::number_unsigned: {
            const auto u = node.get<std::uint64_t>();
            if (u <= static_cast<std::uint64_t>(INT64_MAX))
                return Value(static_cast<std::int64_t>(u));
            return Value(static_cast<double>(u));
        }
        case json::value_t::number_float:
            return Value(node.get<double>());
        case json::value_t::string:
            return Value(node.get<std::string>());
        case json::value_t::array: {
            Array array;
            array.reserve(node.size());
            for (const auto& element : node)
                array.push_back(fromJson(element));
            return Value(std::move(array));
        }
        case json::value_t::object: {
            Dictionary dictionary;
            for (const auto& [key, element] : node.items())
                dictionary.insert_or_assign(key, fromJson(element));
            return Value(std::move(dictionary));
        }
        default:
            return Value();
    }
}

bool isValidElement(const Value& value) {
    switch (value.type()) {
        case Value::Type::Null:
        case Value::Type::Boolean:
        case Value::Type::Integer:
        case Value::Type::String:
            return true;
        case Value::Type::Real:
            return std::isfinite(value.doubleValue());
        case Value::Type::Array:
            for (const Value& element : *value.asArray())
                if (!isValidElement(element))
                    return false;
            return true;
        case Value::Type::Dictionary:
            for (const auto& entry : *value.asDictionary())
                if (!isValidElement(entry.second))
                    return false;
            return true;
        default:
            return false;
    }
}

json toJson(const Value& value) {
    switch (value.type()) {
        case Value::Type::Boolean:
            return value.boolValue();
        case Value::Type::Integer:
            return value.integerValue();
        case Value::Type::Real: {
            const double d = value.doubleValue();
            if (std::trunc(d) == d && std::fabs(d) < 9.0e15)
                return static_cast<std::int64_t>(d);
            return d;
        }
        case Value::Type::String:
            return *value.asString();
        case Value::Type::Array: {
            json array = json::array();
            for (const Value& element : *value.asArray())
                array.push_back(toJson(element));
            return array;
        }
        case Value::Type::Dictionary: {
            json object = json::object();
            for (const auto& [key, element] : *value.asDictionary())
                object[key] = toJson(element);
            return object;
        }
        default:
            return nullptr;
    }
}

// Thrown by the parser's callback when an array or object opens past the
// nesting limit; the parse ends there.
struct TooDeep {};

bool refuseDeepNesting(int depth, json::parse_event_t event, json&) {
    if ((event == json::parse_event_t::array_start || event == json::parse_event_t::object_start) &&
        depth >= kMaximumNestingDepth)
        throw TooDeep{};
    return true;
}

void report(Error* error, long code, std::string text) {
    if (error)
        *error = Error{JSON::kErrorDomain, code, std::move(text)};
}

std::optional<std::string> dump(const Value& value, JSON::Style style, Error* error) {
    try {
        return toJson(value).dump(style == JSON::Style::Pretty ? 2 : -1);
    } catch (const json::exception& e) {
        report(error, 3852, std::string("The data could not be written: ") + e.what());
        return std::nullopt;
    }
}

}  // namespace

std::optional<Value> JSON::parse(std::string_view text, ReadOptions options, Error* error) {
    json parsed;
    try {
        parsed = json::parse(text.begin(), text.end(), refuseDeepNesting);
    } catch (const json::exception& e) {
        report(error, 3840,
               std::string("The data couldn't be read because it isn't in the correct format: ") +
                   e.what());
        return std::nullopt;
    } catch (const TooDeep&) {
        report(error, 3840,
               "The data couldn't be read because it isn't in the correct format: arrays and "
               "objects nest more than " +
                   std::to_string(kMaximumNestingDepth) + " deep.");
        return std::nullopt;
    }
    if (options != AllowFragments && !parsed.is_object() && !parsed.is_array()) {
        report(
            error, 3840,
            "JSON text did not start with array or object and option to allow fragments not set.");
        return std::nullopt;
    }
    return fromJson(parsed);
}

std::optional<Value> JSON::parse(const Data& data, ReadOptions options, Error* error) {
    return parse(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), options,
                 error);
}

bool JSON::isValidJSONObject(const Value& value) {
    return (value.isArray() || value.isDictionary()) && isValidElement(value);
}

std::optional<std::string> JSON::write(const Value& value, Style style, Error* error) {
    if (!isValidJSONObject(value)) {
        report(error, 3851, "Invalid top-level type or contents in JSON write");
        return std::nullopt;
    }
    return dump(value, style, error);
}

std::optional<std::string> JSON::writeFragment(const Value& value, Style style, Error* error) {
    if (!isValidElement(value)) {
        report(error, 3851, "Invalid type or contents in JSON write");
        return std::nullopt;
    }
    return dump(value, style, error);
}

}  // namespace foundation
