#pragma once

// Result parser for "SMSTO:number:body" texts, any case.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class SMSTOResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"SMSTOResultParser", &parsedResultForString}; }
};
