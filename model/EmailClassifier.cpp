#include "model/EmailClassifier.h"

EmailClassifier::EmailClassifier()
    : RegexClassifier(
          R"RE((?:mailto:)?(?:\s*("[^"]*?")\s*[<])?([\w!#-+./=?^_`_-]+@(?:\w+.)+\w+)[>]?)RE",
          "E-mail address", "@") {}

std::optional<ClassificationDictionary> EmailClassifier::classifyBarcode(std::int32_t,
                                                                         const std::string& data) {
    URegex* matcher = mayMatch(data) ? regex() : nullptr;
    if (!matcher) {
        return std::nullopt;
    }
    std::optional<ClassificationDictionary> result;
    if (matcher->find(data)) {
        auto address = matcher->group(2);
        if (address && !address->empty()) {
            result = ClassificationDictionary{{name(), *address}};
            auto displayName = matcher->group(1);
            if (displayName && !displayName->empty()) {
                (*result)["name"] = *displayName;
            }
        }
    }
    matcher->reset();
    return result;
}
