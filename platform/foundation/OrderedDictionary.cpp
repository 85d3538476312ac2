#include "platform/foundation/OrderedDictionary.h"

#include <algorithm>

#include "platform/foundation/JSON.h"

namespace foundation {

namespace {

const Value kNull;

}  // namespace

void OrderedDictionary::set(std::string key, Value value) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& entry) { return entry.first == key; });
    if (found != entries_.end()) {
        found->second = std::move(value);
    } else {
        entries_.emplace_back(std::move(key), std::move(value));
    }
}

const Value& OrderedDictionary::get(std::string_view key) const {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& entry) { return entry.first == key; });
    return found != entries_.end() ? found->second : kNull;
}

bool OrderedDictionary::contains(std::string_view key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& entry) { return entry.first == key; });
}

void OrderedDictionary::remove(std::string_view key) {
    std::erase_if(entries_, [&](const Entry& entry) { return entry.first == key; });
}

Dictionary OrderedDictionary::dictionary() const {
    return Dictionary(entries_.begin(), entries_.end());
}

std::optional<std::string> OrderedDictionary::JSONString() const {
    std::string text = "{";
    for (const Entry& entry : entries_) {
        std::optional<std::string> key = JSON::writeFragment(Value(entry.first));
        std::optional<std::string> value = JSON::writeFragment(entry.second);
        if (!key || !value) {
            return std::nullopt;
        }
        if (text.size() > 1) {
            text += ",";
        }
        text += *key + ":" + *value;
    }
    return text + "}";
}

}  // namespace foundation
