#pragma once

// Result parser for vCards: texts beginning with "BEGIN:VCARD".

#include <memory>
#include <string>

#include "results/ResultParser.h"

class VCardResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"VCardResultParser", &parsedResultForString}; }
};
