#pragma once

// Result parser for texts that look like an e-mail address ("@" and ".", no space or tab).

#include <memory>
#include <string>

#include "results/ResultParser.h"

class PlainEmailResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() {
        return {"PlainEmailResultParser", &parsedResultForString};
    }
};
