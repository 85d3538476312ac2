#pragma once

// A dictionary that keeps its keys in the order they were first set, for
// JSON that a peer reads with its keys "in this order". Setting a key again
// replaces its value in place.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/foundation/Value.h"

namespace foundation {

class OrderedDictionary {
  public:
    using Entry = std::pair<std::string, Value>;

    void set(std::string key, Value value);
    // Null for a missing key.
    const Value& get(std::string_view key) const;
    bool contains(std::string_view key) const;
    void remove(std::string_view key);
    std::size_t count() const { return entries_.size(); }
    const std::vector<Entry>& entries() const { return entries_; }
    // The same entries in a (sorted) dictionary.
    Dictionary dictionary() const;

    // Compact JSON with the keys in order; nullopt when a value cannot be
    // written as JSON.
    std::optional<std::string> JSONString() const;

  private:
    std::vector<Entry> entries_;
};

}  // namespace foundation
