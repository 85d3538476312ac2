#pragma once

// Trade item numbers: forms a 14-digit GTIN from EAN, UPC, ISBN codes (and
// from "01"-prefixed QR Code and Code 128 data) and checks its check digit;
// answers "GTIN-14", and "GTIN-13" and "ISBN-13" where they apply.

#include "model/Classifier.h"

class GTINClassifier : public Classifier {
  public:
    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
    std::vector<std::string> provides() override { return {"GTIN-14", "GTIN-13", "ISBN-13"}; }
};
