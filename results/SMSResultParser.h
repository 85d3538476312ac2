#pragma once

// Result parser for "sms:number;...?body=..." texts, any case.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class SMSResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"SMSResultParser", &parsedResultForString}; }
};
