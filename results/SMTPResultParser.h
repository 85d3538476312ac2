#pragma once

// Result parser for "smtp:to:subject:body" texts.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class SMTPResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"SMTPResultParser", &parsedResultForString}; }
};
