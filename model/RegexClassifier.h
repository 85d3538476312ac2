#pragma once

// Classifies by the first match of a regular expression: {name: match}. A
// pattern that does not compile never matches. The pattern is compiled by the
// first text that can match it: one that lacks the literal every match
// contains (`required`, when given) is answered without it.

#include <memory>
#include <mutex>

#include "model/Classifier.h"
#include "model/URegex.h"

class RegexClassifier : public Classifier {
  public:
    RegexClassifier(std::string pattern, std::string provides, std::string required = "")
        : pattern_(std::move(pattern)),
          provides_(std::move(provides)),
          required_(std::move(required)) {}

    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
    std::vector<std::string> provides() override { return {provides_}; }

  protected:
    // Whether `data` has what every match contains.
    bool mayMatch(const std::string& data) const { return data.find(required_) != data.npos; }
    // The matcher, compiled on the first call; nullptr when the pattern did
    // not compile.
    URegex* regex();
    const std::string& name() const { return provides_; }

  private:
    std::string pattern_;
    std::string provides_;
    std::string required_;
    std::once_flag compiled_;
    std::unique_ptr<URegex> regex_;
};
