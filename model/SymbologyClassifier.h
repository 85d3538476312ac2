#pragma once

// Names the symbology of a code: {name: data} when the code's symbology is
// the one of this classifier.

#include "model/Classifier.h"

class SymbologyClassifier : public Classifier {
  public:
    SymbologyClassifier(std::int32_t symbology, std::string provides)
        : symbology_(symbology), provides_(std::move(provides)) {}

    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
    std::vector<std::string> provides() override { return {provides_}; }

  private:
    std::int32_t symbology_;
    std::string provides_;
};
