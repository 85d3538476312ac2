#include "platform/net/HTTPHeaderFields.h"

#include <algorithm>
#include <cctype>

namespace net {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

HTTPHeaderFields::HTTPHeaderFields(std::initializer_list<Field> fields) {
    for (const auto& [name, value] : fields) {
        add(name, value);
    }
}

std::optional<std::string> HTTPHeaderFields::value(std::string_view name) const {
    for (const auto& field : fields_) {
        if (sameName(field.first, name)) {
            return field.second;
        }
    }
    return std::nullopt;
}

void HTTPHeaderFields::set(std::string_view name, std::string value) {
    for (auto& field : fields_) {
        if (sameName(field.first, name)) {
            field.second = std::move(value);
            fields_.erase(std::remove_if(fields_.begin(), fields_.end(),
                                         [&](const Field& other) {
                                             return &other != &field && sameName(other.first, name);
                                         }),
                          fields_.end());
            return;
        }
    }
    fields_.emplace_back(std::string(name), std::move(value));
}

void HTTPHeaderFields::add(std::string_view name, std::string_view value) {
    for (auto& field : fields_) {
        if (sameName(field.first, name)) {
            field.second += ", ";
            field.second += value;
            return;
        }
    }
    fields_.emplace_back(std::string(name), std::string(value));
}

void HTTPHeaderFields::remove(std::string_view name) {
    fields_.erase(std::remove_if(fields_.begin(), fields_.end(),
                                 [&](const Field& field) { return sameName(field.first, name); }),
                  fields_.end());
}

}  // namespace net
