#pragma once

// Result parser for e-mails written as "MATMSG:TO:...;SUB:...;BODY:...;;".

#include <memory>
#include <string>

#include "results/ResultParser.h"

class EmailDoCoMoResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() {
        return {"EmailDoCoMoResultParser", &parsedResultForString};
    }
};
