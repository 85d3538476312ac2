#pragma once

// A 13-digit ISBN read from an EAN-13 code.

#include <string>

#include "results/ParsedResult.h"

class ISBNParsedResult : public ParsedResult {
  public:
    std::string value;

    std::string stringForDisplay() const override { return value; }
    std::string className() const override { return "ISBNParsedResult"; }
};
