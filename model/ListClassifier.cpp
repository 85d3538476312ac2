#include "model/ListClassifier.h"

#include <algorithm>
#include <cctype>

void ListClassifier::addClassifier(std::unique_ptr<Classifier> classifier) {
    if (classifier) {
        classifiers_.push_back(std::move(classifier));
        provides_.reset();
    }
}

std::optional<ClassificationDictionary> ListClassifier::classifyBarcode(std::int32_t symbology,
                                                                        const std::string& data) {
    ClassificationDictionary merged;
    for (const auto& classifier : classifiers_) {
        if (auto answer = classifier->classifyBarcode(symbology, data)) {
            for (auto& [key, value] : *answer) {
                merged[key] = value;
            }
        }
    }
    if (merged.empty()) {
        return std::nullopt;
    }
    return merged;
}

std::vector<std::string> ListClassifier::provides() {
    if (!provides_) {
        std::vector<std::string> names;
        for (const auto& classifier : classifiers_) {
            auto more = classifier->provides();
            names.insert(names.end(), more.begin(), more.end());
        }
        auto folded = [](const std::string& text) {
            std::string result = text;
            std::transform(result.begin(), result.end(), result.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            return result;
        };
        std::stable_sort(names.begin(), names.end(),
                         [&](const auto& a, const auto& b) { return folded(a) < folded(b); });
        provides_ = std::move(names);
    }
    return *provides_;
}
