#pragma once

// Result parser for "URL:" texts, any case, and texts that look like a URI the platform parses.

#include <memory>
#include <string>

#include "results/ResultParser.h"

class URLResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() { return {"URLResultParser", &parsedResultForString}; }

    // No space or tab, and a ":".
    static bool looksLikeAURI(const std::string& text);
    // "http://" before a text without ":", else the scheme lower-cased.
    static std::string massagedURLString(const std::string& text);
};
