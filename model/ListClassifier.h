#pragma once

// A classifier made of others: runs its children in the order they were
// added and merges their answers, a later child's entry replacing an earlier
// one's under the same key.

#include <memory>
#include <optional>
#include <vector>

#include "model/Classifier.h"

class ListClassifier : public Classifier {
  public:
    void addClassifier(std::unique_ptr<Classifier> classifier);

    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
    // The children's names joined in child order (duplicates kept), sorted
    // ignoring case; kept until the next addClassifier.
    std::vector<std::string> provides() override;

  private:
    std::vector<std::unique_ptr<Classifier>> classifiers_;
    std::optional<std::vector<std::string>> provides_;
};
