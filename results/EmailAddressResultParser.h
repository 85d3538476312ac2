#pragma once

// Result parser for "mailto:" URLs, and texts that are basically valid e-mail addresses.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class EmailAddressResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() {
        return {"EmailAddressResultParser", &parsedResultForString};
    }

    // Contains "@" and, without its first "@", only letters, digits and
    // "!#$%&'*+-/=?^_`{}|~.".
    static bool isBasicallyValidEmailAddress(const std::string& text);
};
