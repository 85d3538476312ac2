#pragma once

// Result parser for any text: the last resort of both registries.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class TextResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"TextResultParser", &parsedResultForString}; }
};
