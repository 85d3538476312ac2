#include "model/RegexClassifier.h"

URegex* RegexClassifier::regex() {
    std::call_once(compiled_, [this] { regex_ = URegex::make(pattern_); });
    return regex_.get();
}

std::optional<ClassificationDictionary> RegexClassifier::classifyBarcode(std::int32_t,
                                                                         const std::string& data) {
    URegex* matcher = mayMatch(data) ? regex() : nullptr;
    if (!matcher) {
        return std::nullopt;
    }
    std::optional<ClassificationDictionary> result;
    if (matcher->find(data)) {
        if (auto match = matcher->group(0)) {
            result = ClassificationDictionary{{provides_, *match}};
        }
    }
    matcher->reset();
    return result;
}
