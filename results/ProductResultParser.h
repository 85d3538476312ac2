#pragma once

// Result parser for product codes read from EAN-8, EAN-13, UPC-A and UPC-E codes.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class ProductResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() {
        return {"ProductResultParser", &parsedResultForString};
    }
};
