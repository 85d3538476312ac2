#pragma once

// The base of the classifier tree, which tells what the text of a scanned
// code is: classification names mapped to the value that belongs to them,
// plus an optional label under "name". A classifier that finds nothing
// answers nullopt, never an empty dictionary.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

using ClassificationDictionary = std::map<std::string, std::string>;

class Classifier {
  public:
    virtual ~Classifier() = default;

    // The process-wide tree, built on first use and never released. Main
    // thread only: its matchers keep state during a classification.
    static Classifier& sharedClassifier();

    // `symbology` is the reader's symbology code of the code, `data` its text.
    virtual std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                                    const std::string& data) = 0;
    // The classification names this classifier can answer.
    virtual std::vector<std::string> provides() { return {}; }
};
