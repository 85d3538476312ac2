#pragma once

// printf-style formatting with the platform's "%@" for objects, in the C
// locale ("." as decimal point). Supports flags, width and precision (also
// "*"), positional arguments ("%1$@"), length modifiers (h hh l ll q z t j L,
// accepted and ignored: arguments carry their own width), and the conversions
// d i u o x X c C s @ f F e E g G a A p %.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/foundation/Value.h"

namespace foundation {

// One argument of `format`, converted from the caller's type.
class FormatArgument {
  public:
    template <typename T>
    requires(std::is_integral_v<T>&& std::is_signed_v<T> && !std::is_same_v<T, bool>)
        FormatArgument(T i)
        : value_(static_cast<std::int64_t>(i)) {}
    template <typename T>
    requires(std::is_integral_v<T>&& std::is_unsigned_v<T> && !std::is_same_v<T, bool>)
        FormatArgument(T u)
        : value_(static_cast<std::uint64_t>(u)) {}
    template <typename T>
    requires std::is_enum_v<T> FormatArgument(T e) : value_(static_cast<std::int64_t>(e)) {}
    FormatArgument(bool b) : value_(static_cast<std::int64_t>(b ? 1 : 0)) {}
    FormatArgument(double d) : value_(d) {}
    FormatArgument(const char* s) : value_(s ? Text{s, false} : Text{"", true}) {}
    FormatArgument(const std::string& s) : value_(Text{s, false}) {}
    FormatArgument(std::string_view s) : value_(Text{std::string(s), false}) {}
    FormatArgument(const Value& v);
    FormatArgument(const void* p) : value_(p) {}
    FormatArgument(std::nullptr_t) : value_(Text{"", true}) {}

    struct Text {
        std::string text;
        bool isNil = false;
    };
    using Storage = std::variant<std::int64_t, std::uint64_t, double, Text, const void*>;
    const Storage& value() const { return value_; }

  private:
    Storage value_;
};

std::string formatArguments(std::string_view format, const std::vector<FormatArgument>& arguments);

template <typename... Args>
std::string format(std::string_view formatText, const Args&... arguments) {
    return formatArguments(formatText, std::vector<FormatArgument>{FormatArgument(arguments)...});
}

}  // namespace foundation
