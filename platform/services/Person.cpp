#include "platform/services/Person.h"

namespace services {

bool Person::isMultiValue(PersonProperty property) {
    return property == PersonProperty::phone || property == PersonProperty::email ||
           property == PersonProperty::url || property == PersonProperty::address;
}

bool Person::setValue(PersonProperty property, std::string value) {
    if (isMultiValue(property)) {
        return false;
    }
    values_[property] = std::move(value);
    return true;
}

std::optional<std::string> Person::value(PersonProperty property) const {
    auto it = values_.find(property);
    return it == values_.end() ? std::nullopt : std::optional(it->second);
}

bool Person::setMultiValue(PersonProperty property, std::vector<MultiValueEntry> entries) {
    if (!isMultiValue(property)) {
        return false;
    }
    multiValues_[property] = std::move(entries);
    return true;
}

std::vector<MultiValueEntry> Person::multiValue(PersonProperty property) const {
    auto it = multiValues_.find(property);
    return it == multiValues_.end() ? std::vector<MultiValueEntry>{} : it->second;
}

std::string Person::compositeName() const {
    std::string name;
    for (auto property :
         {PersonProperty::firstName, PersonProperty::middleName, PersonProperty::lastName}) {
        if (auto part = value(property); part && !part->empty()) {
            name += (name.empty() ? "" : " ") + *part;
        }
    }
    if (name.empty()) {
        name = value(PersonProperty::organization).value_or("");
    }
    return name;
}

}  // namespace services
