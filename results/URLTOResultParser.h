#pragma once

// Result parser for "URLTO:title:url" texts, any case.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class URLTOResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"URLTOResultParser", &parsedResultForString}; }
};
