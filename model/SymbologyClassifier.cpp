#include "model/SymbologyClassifier.h"

std::optional<ClassificationDictionary> SymbologyClassifier::classifyBarcode(
    std::int32_t symbology, const std::string& data) {
    if (symbology != symbology_) {
        return std::nullopt;
    }
    return ClassificationDictionary{{provides_, data}};
}
