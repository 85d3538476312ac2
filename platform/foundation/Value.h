#pragma once

// A dynamic value of the platform's object graphs: null, boolean, integer,
// real, string, data, date, array and dictionary, as dictionaries read from
// JSON and property lists hold them.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/foundation/Date.h"

namespace foundation {

class Value;

// Arrays keep their order; dictionaries keep their keys sorted, so walking,
// printing and serialising a dictionary is always in the same order.
using Array = std::vector<Value>;
using Dictionary = std::map<std::string, Value, std::less<>>;

// Values copy like values: a copy is independent of its source (containers
// are shared until one side changes, so copies are cheap). Code that must
// share one mutable collection between owners, as with a mutable dictionary
// handed around by pointer, holds a std::shared_ptr<Value>.
//
// Reading is forgiving as messages to nil are: a missing key, an index out of
// range or a value of another type answers null, zero or an empty string.
class Value {
  public:
    enum class Type { Null, Boolean, Integer, Real, String, Data, Date, Array, Dictionary };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool b) : storage_(b) {}
    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) Value(T i)
        : storage_(static_cast<std::int64_t>(i)) {}
    Value(double d) : storage_(d) {}
    Value(float f) : storage_(static_cast<double>(f)) {}
    Value(std::string s) : storage_(std::move(s)) {}
    Value(std::string_view s) : storage_(std::string(s)) {}
    Value(const char* s) : storage_(std::string(s ? s : "")) {}
    Value(foundation::Data d) : storage_(std::move(d)) {}
    Value(foundation::Date d) : storage_(d) {}
    Value(foundation::Array a);
    Value(foundation::Dictionary d);

    static Value array(std::initializer_list<Value> items = {});
    static Value dictionary(
        std::initializer_list<std::pair<const std::string, Value>> entries = {});

    Type type() const { return static_cast<Type>(storage_.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isBoolean() const { return type() == Type::Boolean; }
    bool isInteger() const { return type() == Type::Integer; }
    bool isReal() const { return type() == Type::Real; }
    // Boolean, integer or real: what the platform keeps in a number object.
    bool isNumber() const { return isBoolean() || isInteger() || isReal(); }
    bool isString() const { return type() == Type::String; }
    bool isData() const { return type() == Type::Data; }
    bool isDate() const { return type() == Type::Date; }
    bool isArray() const { return type() == Type::Array; }
    bool isDictionary() const { return type() == Type::Dictionary; }

    // Numeric readings of numbers and of strings (leading number of the text,
    // as the platform's string parsing does); zero / false for anything else.
    bool boolValue() const;
    int intValue() const;
    std::int64_t integerValue() const;
    std::uint64_t unsignedValue() const;
    double doubleValue() const;
    // The string itself, or the text of a number ("1", "2.5"); "" otherwise.
    std::string stringValue() const;

    // Typed views; nullptr when the value is of another type. The mutable
    // forms detach a shared container first.
    const std::string* asString() const { return std::get_if<std::string>(&storage_); }
    const foundation::Data* asData() const { return std::get_if<foundation::Data>(&storage_); }
    const foundation::Date* asDate() const { return std::get_if<foundation::Date>(&storage_); }
    const foundation::Array* asArray() const;
    const foundation::Dictionary* asDictionary() const;
    foundation::Array* asMutableArray();
    foundation::Dictionary* asMutableDictionary();

    // Dictionary access. `get` answers null for a missing key or a value that
    // is not a dictionary. `set` turns a null value into a dictionary first and
    // does nothing on other types; setting null stores an explicit null.
    const Value& get(std::string_view key) const;
    const Value& operator[](std::string_view key) const { return get(key); }
    const Value& operator[](const char* key) const { return get(key); }
    bool contains(std::string_view key) const;
    void set(std::string key, Value value);
    void remove(std::string_view key);
    std::vector<std::string> keys() const;

    // Array access. `at` answers null out of range. `append` turns a null value
    // into an array first and does nothing on other types.
    const Value& at(std::size_t index) const;
    const Value& operator[](std::size_t index) const { return at(index); }
    const Value& operator[](int index) const {
        return index < 0 ? at(SIZE_MAX) : at(static_cast<std::size_t>(index));
    }
    void append(Value value);
    void insert(std::size_t index, Value value);
    void removeAt(std::size_t index);

    // Number of elements of an array or dictionary, or bytes of data; 0 otherwise.
    std::size_t count() const;

    // The platform's description text: old-style property list notation,
    // e.g. {\n    a = 1;\n    b = "two words";\n}.
    std::string description() const;

    // Deep equality; numbers compare by value across boolean, integer and real.
    friend bool operator==(const Value& a, const Value& b);
    // Writes the description (test failure output, logs).
    friend std::ostream& operator<<(std::ostream& out, const Value& value);

  private:
    using Storage =
        std::variant<std::monostate, bool, std::int64_t, double, std::string, foundation::Data,
                     foundation::Date, std::shared_ptr<foundation::Array>,
                     std::shared_ptr<foundation::Dictionary>>;

    Storage storage_;
};

}  // namespace foundation
