#pragma once

// Parcel tracking numbers: UPS ground ("1Z" numbers), FedEx ground (22-digit
// "961" numbers) and FedEx express (12-digit numbers, also inside 32-digit
// labels), each with its check rule and a package label under "name".

#include "model/Classifier.h"

class ShippingClassifier : public Classifier {
  public:
    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
    std::vector<std::string> provides() override {
        return {"UPS Ground Tracking#", "FedEx Ground Tracking#", "FedEx Express Tracking#"};
    }
};
