#include "model/URLClassifier.h"

#include "platform/foundation/PercentEncoding.h"
#include "platform/foundation/URL.h"

std::optional<ClassificationDictionary> URLClassifier::classifyBarcode(std::int32_t symbology,
                                                                       const std::string& data) {
    if (symbology != 39 && symbology != 64 && symbology != 128) {
        return std::nullopt;
    }
    auto result = RegexClassifier::classifyBarcode(symbology, data);
    if (!result) {
        return std::nullopt;
    }
    const std::string& match = result->at(name());
    if (!foundation::URL::fromString(foundation::addingPercentEscapes(match))) {
        return std::nullopt;
    }
    return result;
}
