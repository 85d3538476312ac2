#pragma once

// Result parser for address-book cards: "MEMORY" texts of CRLF-separated fields
// (NAME1:, TEL1:, MAIL1:, ADD:, ...) closed by a carriage return.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/ResultParser.h"

class AddressBookAUResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() {
        return {"AddressBookAUResultParser", &parsedResultForString};
    }

    // The values of the numbered prefixes "TEL1:", "TEL2:", ... up to
    // `maxResults`, each closed by a carriage return, stopping at the first
    // missing number; trimmed when `trim` is set. nullopt when maxResults is
    // below 1 or the first value is missing.
    static std::optional<std::vector<std::string>> fieldsWithPrefix(const std::string& text,
                                                                    const std::string& name,
                                                                    int maxResults, bool trim);
};
