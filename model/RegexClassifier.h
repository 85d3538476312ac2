#pragma once

// Classifies by the first match of a regular expression: {name: match}. A
// pattern that does not compile never matches.

#include <memory>

#include "model/Classifier.h"
#include "model/URegex.h"

class RegexClassifier : public Classifier {
  public:
    RegexClassifier(const std::string& pattern, std::string provides)
        : regex_(URegex::make(pattern)), provides_(std::move(provides)) {}

    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
    std::vector<std::string> provides() override { return {provides_}; }

  protected:
    // The matcher; nullptr when the pattern did not compile.
    URegex* regex() { return regex_.get(); }
    const std::string& name() const { return provides_; }

  private:
    std::unique_ptr<URegex> regex_;
    std::string provides_;
};
