#include "model/RegexClassifier.h"

std::optional<ClassificationDictionary> RegexClassifier::classifyBarcode(std::int32_t,
                                                                         const std::string& data) {
    if (!regex_) {
        return std::nullopt;
    }
    std::optional<ClassificationDictionary> result;
    if (regex_->find(data)) {
        if (auto match = regex_->group(0)) {
            result = ClassificationDictionary{{provides_, *match}};
        }
    }
    regex_->reset();
    return result;
}
