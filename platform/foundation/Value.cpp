#include "platform/foundation/Value.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <ostream>

namespace foundation {
namespace {

const Value& nullValue() {
    static const Value* const null = new Value();
    return *null;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Skips leading white space and reads an optional sign and the digits after
// it, clamping at the range of int64.
std::int64_t leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? static_cast<std::uint64_t>(INT64_MAX) + 1 : INT64_MAX;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == limit ? INT64_MIN : -static_cast<std::int64_t>(magnitude);
    return static_cast<std::int64_t>(magnitude);
}

double leadingDouble(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double result = 0.0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), result);
    if (error != std::errc())
        return 0.0;
    return result;
}

bool leadingBool(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && text[i] == '0')
        ++i;
    if (i >= text.size())
        return false;
    const char c = text[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::string realText(double d) {
    if (std::isnan(d))
        return "nan";
    if (std::isinf(d))
        return d < 0 ? "-inf" : "inf";
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, d);
    return std::string(buffer, end);
}

bool isPlainWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '$' ||
           c == '/' || c == ':' || c == '-';
}

std::string quotedIfNeeded(const std::string& s) {
    if (!s.empty() && std::all_of(s.begin(), s.end(), isPlainWordChar))
        return s;
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

std::string dateText(const Date& date) {
    const auto seconds = static_cast<std::time_t>(std::floor(date.timeIntervalSince1970()));
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char buffer[64];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S +0000", &parts);
    return buffer;
}

void describe(const Value& value, int depth, std::string& out) {
    const std::string indent(static_cast<std::size_t>(depth + 1) * 4, ' ');
    const std::string closingIndent(static_cast<std::size_t>(depth) * 4, ' ');
    switch (value.type()) {
        case Value::Type::Null:
            out += "\"<null>\"";
            break;
        case Value::Type::Boolean:
        case Value::Type::Integer:
        case Value::Type::Real:
            out += value.stringValue();
            break;
        case Value::Type::String:
            out += quotedIfNeeded(*value.asString());
            break;
        case Value::Type::Data: {
            static const char* const hex = "0123456789abcdef";
            out += '<';
            const Data& data = *value.asData();
            for (std::size_t i = 0; i < data.size(); ++i) {
                if (i > 0 && i % 4 == 0)
                    out += ' ';
                out += hex[data[i] >> 4];
                out += hex[data[i] & 0xf];
            }
            out += '>';
            break;
        }
        case Value::Type::Date:
            out += '"' + dateText(*value.asDate()) + '"';
            break;
        case Value::Type::Array: {
            const Array& array = *value.asArray();
            out += "(\n";
            for (std::size_t i = 0; i < array.size(); ++i) {
                out += indent;
                describe(array[i], depth + 1, out);
                out += i + 1 < array.size() ? ",\n" : "\n";
            }
            out += closingIndent + ")";
            break;
        }
        case Value::Type::Dictionary:
            out += "{\n";
            for (const auto& [key, element] : *value.asDictionary()) {
                out += indent + quotedIfNeeded(key) + " = ";
                describe(element, depth + 1, out);
                out += ";\n";
            }
            out += closingIndent + "}";
            break;
    }
}

}  // namespace

Value::Value(foundation::Array a) : storage_(std::make_shared<foundation::Array>(std::move(a))) {}

Value::Value(foundation::Dictionary d)
    : storage_(std::make_shared<foundation::Dictionary>(std::move(d))) {}

Value Value::array(std::initializer_list<Value> items) {
    return Value(foundation::Array(items));
}

Value Value::dictionary(std::initializer_list<std::pair<const std::string, Value>> entries) {
    return Value(foundation::Dictionary(entries));
}

bool Value::boolValue() const {
    switch (type()) {
        case Type::Boolean:
            return std::get<bool>(storage_);
        case Type::Integer:
            return std::get<std::int64_t>(storage_) != 0;
        case Type::Real:
            return std::get<double>(storage_) != 0.0;
        case Type::String:
            return leadingBool(std::get<std::string>(storage_));
        default:
            return false;
    }
}

int Value::intValue() const {
    const std::int64_t wide = integerValue();
    if (type() == Type::String)
        return static_cast<int>(std::clamp<std::int64_t>(wide, INT_MIN, INT_MAX));
    return static_cast<int>(wide);
}

std::int64_t Value::integerValue() const {
    switch (type()) {
        case Type::Boolean:
            return std::get<bool>(storage_) ? 1 : 0;
        case Type::Integer:
            return std::get<std::int64_t>(storage_);
        case Type::Real: {
            const double d = std::get<double>(storage_);
            if (std::isnan(d))
                return 0;
            if (d >= 9.2233720368547758e18)
                return INT64_MAX;
            if (d <= -9.2233720368547758e18)
                return INT64_MIN;
            return static_cast<std::int64_t>(d);
        }
        case Type::String:
            return leadingInteger(std::get<std::string>(storage_));
        default:
            return 0;
    }
}

std::uint64_t Value::unsignedValue() const {
    if (type() == Type::Real) {
        const double d = std::get<double>(storage_);
        if (!(d > 0))
            return 0;
        if (d >= 1.8446744073709552e19)
            return UINT64_MAX;
        return static_cast<std::uint64_t>(d);
    }
    return static_cast<std::uint64_t>(integerValue());
}

double Value::doubleValue() const {
    switch (type()) {
        case Type::Boolean:
            return std::get<bool>(storage_) ? 1.0 : 0.0;
        case Type::Integer:
            return static_cast<double>(std::get<std::int64_t>(storage_));
        case Type::Real:
            return std::get<double>(storage_);
        case Type::String:
            return leadingDouble(std::get<std::string>(storage_));
        default:
            return 0.0;
    }
}

std::string Value::stringValue() const {
    switch (type()) {
        case Type::Boolean:
            return std::get<bool>(storage_) ? "1" : "0";
        case Type::Integer:
            return std::to_string(std::get<std::int64_t>(storage_));
        case Type::Real:
            return realText(std::get<double>(storage_));
        case Type::String:
            return std::get<std::string>(storage_);
        default:
            return "";
    }
}

const foundation::Array* Value::asArray() const {
    const auto* shared = std::get_if<std::shared_ptr<foundation::Array>>(&storage_);
    return shared ? shared->get() : nullptr;
}

const foundation::Dictionary* Value::asDictionary() const {
    const auto* shared = std::get_if<std::shared_ptr<foundation::Dictionary>>(&storage_);
    return shared ? shared->get() : nullptr;
}

foundation::Array* Value::asMutableArray() {
    auto* shared = std::get_if<std::shared_ptr<foundation::Array>>(&storage_);
    if (!shared)
        return nullptr;
    if (shared->use_count() > 1)
        *shared = std::make_shared<foundation::Array>(**shared);
    return shared->get();
}

foundation::Dictionary* Value::asMutableDictionary() {
    auto* shared = std::get_if<std::shared_ptr<foundation::Dictionary>>(&storage_);
    if (!shared)
        return nullptr;
    if (shared->use_count() > 1)
        *shared = std::make_shared<foundation::Dictionary>(**shared);
    return shared->get();
}

const Value& Value::get(std::string_view key) const {
    const foundation::Dictionary* dictionary = asDictionary();
    if (!dictionary)
        return nullValue();
    const auto found = dictionary->find(key);
    return found == dictionary->end() ? nullValue() : found->second;
}

bool Value::contains(std::string_view key) const {
    const foundation::Dictionary* dictionary = asDictionary();
    return dictionary && dictionary->find(key) != dictionary->end();
}

void Value::set(std::string key, Value value) {
    if (isNull())
        *this = Value(foundation::Dictionary());
    if (foundation::Dictionary* dictionary = asMutableDictionary())
        dictionary->insert_or_assign(std::move(key), std::move(value));
}

void Value::remove(std::string_view key) {
    if (!contains(key))
        return;
    foundation::Dictionary* dictionary = asMutableDictionary();
    dictionary->erase(dictionary->find(key));
}

std::vector<std::string> Value::keys() const {
    std::vector<std::string> result;
    if (const foundation::Dictionary* dictionary = asDictionary())
        for (const auto& entry : *dictionary)
            result.push_back(entry.first);
    return result;
}

const Value& Value::at(std::size_t index) const {
    const foundation::Array* array = asArray();
    if (!array || index >= array->size())
        return nullValue();
    return (*array)[index];
}

void Value::append(Value value) {
    if (isNull())
        *this = Value(foundation::Array());
    if (foundation::Array* array = asMutableArray())
        array->push_back(std::move(value));
}

void Value::insert(std::size_t index, Value value) {
    if (isNull())
        *this = Value(foundation::Array());
    foundation::Array* array = asMutableArray();
    if (!array)
        return;
    array->insert(array->begin() + static_cast<std::ptrdiff_t>(std::min(index, array->size())),
                  std::move(value));
}

void Value::removeAt(std::size_t index) {
    const foundation::Array* array = asArray();
    if (!array || index >= array->size())
        return;
    foundation::Array* mutableArray = asMutableArray();
    mutableArray->erase(mutableArray->begin() + static_cast<std::ptrdiff_t>(index));
}

std::size_t Value::count() const {
    if (const foundation::Array* array = asArray())
        return array->size();
    if (const foundation::Dictionary* dictionary = asDictionary())
        return dictionary->size();
    if (const foundation::Data* data = asData())
        return data->size();
    return 0;
}

std::string Value::description() const {
    std::string out;
    describe(*this, 0, out);
    return out;
}

bool operator==(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber()) {
        if (a.isReal() || b.isReal())
            return a.doubleValue() == b.doubleValue();
        return a.integerValue() == b.integerValue();
    }
    if (a.type() != b.type())
        return false;
    switch (a.type()) {
        case Value::Type::Null:
            return true;
        case Value::Type::String:
            return *a.asString() == *b.asString();
        case Value::Type::Data:
            return *a.asData() == *b.asData();
        case Value::Type::Date:
            return *a.asDate() == *b.asDate();
        case Value::Type::Array:
            return a.asArray() == b.asArray() || *a.asArray() == *b.asArray();
        case Value::Type::Dictionary:
            return a.asDictionary() == b.asDictionary() || *a.asDictionary() == *b.asDictionary();
        default:
            return false;
    }
}

std::ostream& operator<<(std::ostream& out, const Value& value) {
    return out << value.description();
}

}  // namespace foundation
