#include "ads/mediation/GADMResponseValues.h"

namespace GADMResponseValues {

std::optional<foundation::Array> arrayAt(const foundation::Dictionary& dictionary,
                                         const char* key) {
    const auto found = dictionary.find(key);
    if (found == dictionary.end() || !found->second.isArray()) {
        return std::nullopt;
    }
    return *found->second.asArray();
}

std::optional<foundation::Dictionary> dictionaryAt(const foundation::Dictionary& dictionary,
                                                   const char* key) {
    const auto found = dictionary.find(key);
    if (found == dictionary.end() || !found->second.isDictionary()) {
        return std::nullopt;
    }
    return *found->second.asDictionary();
}

std::optional<std::string> textOf(const foundation::Value& value) {
    if (value.isString() || value.isNumber()) {
        return value.stringValue();
    }
    return std::nullopt;
}

}  // namespace GADMResponseValues
