#pragma once

// Result parser for "geo:" positions, any case.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class GeoResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"GeoResultParser", &parsedResultForString}; }
};
