#include "platform/foundation/Format.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

namespace foundation {
namespace {

// Text of an argument for "%@" and "%s": strings as they are, numbers in
// their text form, containers in their description, nil as "(null)".
std::string objectText(const FormatArgument::Storage& value) {
    if (const auto* text = std::get_if<FormatArgument::Text>(&value))
        return text->isNil ? "(null)" : text->text;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (const auto* u = std::get_if<std::uint64_t>(&value))
        return std::to_string(*u);
    if (const auto* d = std::get_if<double>(&value))
        return Value(*d).stringValue();
    const auto* p = std::get_if<const void*>(&value);
    if (!*p)
        return "(null)";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", *p);
    return buffer;
}

std::int64_t integerOf(const FormatArgument::Storage& value) {
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return *i;
    if (const auto* u = std::get_if<std::uint64_t>(&value))
        return static_cast<std::int64_t>(*u);
    if (const auto* d = std::get_if<double>(&value))
        return Value(*d).integerValue();
    if (const auto* p = std::get_if<const void*>(&value))
        return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(*p));
    return Value(std::get<FormatArgument::Text>(value).text).integerValue();
}

double doubleOf(const FormatArgument::Storage& value) {
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* u = std::get_if<std::uint64_t>(&value))
        return static_cast<double>(*u);
    if (const auto* t = std::get_if<FormatArgument::Text>(&value))
        return Value(t->text).doubleValue();
    return static_cast<double>(integerOf(value));
}

void appendCodePoint(std::string& out, std::uint32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    uint8_t buffer[4];
    int32_t n = 0;
    U8_APPEND_UNSAFE(buffer, n, static_cast<UChar32>(c));
    out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
}

// Pads a piece of text to a field width (counted in code points), left or right.
std::string pad(const std::string& text, int width, bool leftAlign) {
    int length = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++length;
    if (width <= length)
        return text;
    const std::string fill(static_cast<std::size_t>(width - length), ' ');
    return leftAlign ? text + fill : fill + text;
}

std::string truncateToCodePoints(const std::string& text, int precision) {
    if (precision < 0)
        return text;
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == precision)
                return text.substr(0, i);
            ++count;
        }
    }
    return text;
}

}  // namespace

FormatArgument::FormatArgument(const Value& v) {
    switch (v.type()) {
        case Value::Type::Null:
            value_ = Text{"", true};
            break;
        case Value::Type::Boolean:
        case Value::Type::Integer:
            value_ = v.integerValue();
            break;
        case Value::Type::Real:
            value_ = v.doubleValue();
            break;
        case Value::Type::String:
            value_ = Text{*v.asString(), false};
            break;
        default:
            value_ = Text{v.description(), false};
    }
}

std::string formatArguments(std::string_view format, const std::vector<FormatArgument>& arguments) {
    std::string out;
    std::size_t nextArgument = 0;
    const auto take = [&](std::size_t position) -> const FormatArgument::Storage* {
        if (position >= arguments.size())
            return nullptr;
        return &arguments[position].value();
    };
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        const std::size_t specStart = i++;
        // Positional argument "n$".
        std::size_t j = i;
        std::size_t position = 0;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
            position = position * 10 + static_cast<std::size_t>(format[j++] - '0');
        std::optional<std::size_t> explicitPosition;
        if (j < format.size() && format[j] == '$' && position > 0) {
            explicitPosition = position - 1;
            i = j + 1;
        }
        std::string flags;
        while (i < format.size() &&
               std::string_view("-+ #0'").find(format[i]) != std::string_view::npos)
            flags += format[i++];
        int width = -1;
        if (i < format.size() && format[i] == '*') {
            const auto* a = take(nextArgument++);
            width = a ? static_cast<int>(integerOf(*a)) : 0;
            if (width < 0) {
                flags += '-';
                width = -width;
            }
            ++i;
        } else {
            while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
                width = std::max(width, 0) * 10 + (format[i++] - '0');
        }
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            ++i;
            precision = 0;
            if (i < format.size() && format[i] == '*') {
                const auto* a = take(nextArgument++);
                precision = a ? static_cast<int>(integerOf(*a)) : 0;
                ++i;
            } else {
                while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
                    precision = precision * 10 + (format[i++] - '0');
            }
        }
        while (i < format.size() &&
               std::string_view("hlqLzjt").find(format[i]) != std::string_view::npos)
            ++i;
        if (i >= format.size()) {
            out.append(format.substr(specStart));
            break;
        }
        const char conversion = format[i++];
        if (conversion == '%') {
            out += '%';
            continue;
        }
        const auto* argument = take(explicitPosition ? *explicitPosition : nextArgument++);
        static const FormatArgument::Storage missing = FormatArgument::Text{"", true};
        const FormatArgument::Storage& value = argument ? *argument : missing;
        flags.erase(std::remove(flags.begin(), flags.end(), '\''), flags.end());
        const bool leftAlign = flags.find('-') != std::string::npos;
        std::string spec = "%" + flags;
        if (width >= 0)
            spec += std::to_string(width);
        if (precision >= 0)
            spec += "." + std::to_string(precision);
        char buffer[512];
        switch (conversion) {
            case 'd':
            case 'i':
                std::snprintf(buffer, sizeof buffer, (spec + "lld").c_str(),
                              static_cast<long long>(integerOf(value)));
                out += buffer;
                break;
            case 'u':
            case 'o':
            case 'x':
            case 'X':
                std::snprintf(buffer, sizeof buffer, (spec + "ll" + conversion).c_str(),
                              static_cast<unsigned long long>(integerOf(value)));
                out += buffer;
                break;
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
            case 'a':
            case 'A':
                std::snprintf(buffer, sizeof buffer, (spec + conversion).c_str(), doubleOf(value));
                out += buffer;
                break;
            case 'p': {
                const void* pointer = nullptr;
                if (const auto* p = std::get_if<const void*>(&value))
                    pointer = *p;
                std::snprintf(buffer, sizeof buffer, (spec + "p").c_str(), pointer);
                out += buffer;
                break;
            }
            case 'c': {
                std::string text;
                appendCodePoint(text, static_cast<std::uint32_t>(integerOf(value)) & 0xFF);
                out += pad(text, width, leftAlign);
                break;
            }
            case 'C': {
                std::string text;
                appendCodePoint(text, static_cast<std::uint32_t>(integerOf(value)));
                out += pad(text, width, leftAlign);
                break;
            }
            case 's':
            case '@':
                out += pad(truncateToCodePoints(objectText(value), precision), width, leftAlign);
                break;
            default:
                out.append(format.substr(specStart, i - specStart));
                break;
        }
    }
    return out;
}

}  // namespace foundation
