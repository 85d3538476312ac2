#pragma once

// URLs ("scheme://" and what follows up to a blank) in Code 39, QR Code and
// Code 128 codes, when the run makes a URL once percent-escaped.

#include "model/RegexClassifier.h"

class URLClassifier : public RegexClassifier {
  public:
    URLClassifier() : RegexClassifier(R"RE([\w+.-]+://[^ ]+)RE", "URL", "://") {}

    std::optional<ClassificationDictionary> classifyBarcode(std::int32_t symbology,
                                                            const std::string& data) override;
};
