#pragma once

// Result parser for bookmarks: "MEBKM:" with a "URL:" field and an optional "TITLE:".

#include <memory>
#include <string>

#include "results/ResultParser.h"

class BookmarkDoCoMoResultParser : public ResultParser {
  public:
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static ResultParserClass parserClass() {
        return {"BookmarkDoCoMoResultParser", &parsedResultForString};
    }
};
