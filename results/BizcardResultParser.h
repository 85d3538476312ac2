#pragma once

// Result parser for contact cards written as "BIZCARD:N:...;X:...;B:...;;".

#include <memory>
#include <string>

#include "results/ResultParser.h"

class BizcardResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() {
        return {"BizcardResultParser", &parsedResultForString};
    }
};
