#pragma once

// Result parser for contact cards written as "MECARD:N:...;TEL:...;;".

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/ResultParser.h"

class MeCardParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"MeCardParser", &parsedResultForString}; }

    // Exactly eight ASCII digits.
    static bool isWellFormedBirthday(const std::optional<std::string>& text);
};
