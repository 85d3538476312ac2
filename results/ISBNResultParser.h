#pragma once

// Result parser for 13-digit ISBNs (978 or 979) read from EAN-13 codes.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class ISBNResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"ISBNResultParser", &parsedResultForString}; }
};
