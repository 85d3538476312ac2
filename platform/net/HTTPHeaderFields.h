#pragma once

// HTTP header fields in the order they were set, with names compared without
// case as HTTP wants; the case written first is kept.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace net {

class HTTPHeaderFields {
  public:
    using Field = std::pair<std::string, std::string>;

    HTTPHeaderFields() = default;
    HTTPHeaderFields(std::initializer_list<Field> fields);

    std::optional<std::string> value(std::string_view name) const;
    bool contains(std::string_view name) const { return value(name).has_value(); }
    // Replaces every field of that name.
    void set(std::string_view name, std::string value);
    // Appends to an existing field with ", " (or adds it).
    void add(std::string_view name, std::string_view value);
    void remove(std::string_view name);

    const std::vector<Field>& fields() const { return fields_; }
    bool empty() const { return fields_.empty(); }
    std::size_t size() const { return fields_.size(); }

    friend bool operator==(const HTTPHeaderFields&, const HTTPHeaderFields&) = default;

  private:
    std::vector<Field> fields_;
};

}  // namespace net
