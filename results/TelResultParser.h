#pragma once

// Result parser for "tel:" numbers, any case.
// Not a ResultParser subclass: the registries only ever ask a class for
// parsedResultForString, so it takes part in both all the same.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class TelResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"TelResultParser", &parsedResultForString}; }
};
