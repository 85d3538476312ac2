#pragma once

// E-mail addresses, with or without "mailto:", and with a quoted display name
// before an address in angle brackets (answered under "name", quotes kept).

#include "model/RegexClassifier.h"

class EmailClassifier : public RegexClassifier {
  public:
    EmailClassifier();

    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
};
