#include "ads/foundation/GADDictionaryAdditions.h"

#include "ads/foundation/GADInternalErrorAdditions.h"
#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/JSON.h"

namespace {

// Booleans, integers and reals are all kept in one number object by the
// platform: asking for one of them asks for a number.
bool isNumberType(foundation::Value::Type type) {
    return type == foundation::Value::Type::Boolean || type == foundation::Value::Type::Integer ||
           type == foundation::Value::Type::Real;
}

}  // namespace

namespace GADObjectValidation {

std::optional<foundation::Value> gad_objectForKey(const foundation::Dictionary& dictionary,
                                                  std::string_view key,
                                                  foundation::Value::Type type) {
    auto found = dictionary.find(key);
    if (found == dictionary.end()) {
        return std::nullopt;
    }
    const foundation::Value& value = found->second;
    if (value.type() != type && !(isNumberType(type) && value.isNumber())) {
        return std::nullopt;
    }
    return value;
}

void gad_setIfNotNilObject(foundation::Dictionary& dictionary,
                           const std::optional<foundation::Value>& value, const std::string& key) {
    if (value) {
        dictionary[key] = *value;
    }
}

void gad_setStringForBoolValue(foundation::Dictionary& dictionary, bool value,
                               const std::string& key) {
    dictionary[key] = value ? "1" : "0";
}

void gad_setStringIfTrueForBoolValue(foundation::Dictionary& dictionary, bool value,
                                     const std::string& key) {
    if (value) {
        dictionary[key] = "1";
    } else {
        dictionary.erase(key);
    }
}

void gad_setStringForCGFloat(foundation::Dictionary& dictionary, double value,
                             const std::string& key) {
    dictionary[key] = GADStringNumberAdditions::gad_shortStringWithCGFloat(value);
}

}  // namespace GADObjectValidation

namespace GADJSONAdditions {

std::optional<std::string> gad_JSONStringPretty(const foundation::Dictionary& dictionary,
                                                bool pretty, foundation::Error* error) {
    foundation::Value value(dictionary);
    if (!foundation::JSON::isValidJSONObject(value)) {
        if (error) {
            *error = GADInternalErrorAdditions::gad_errorWithCode(2, "Invalid JSON object.");
        }
        return std::nullopt;
    }
    return foundation::JSON::write(
        value, pretty ? foundation::JSON::Style::Pretty : foundation::JSON::Style::Compact, error);
}

}  // namespace GADJSONAdditions
