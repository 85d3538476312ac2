#include "results/BookmarkDoCoMoResultParser.h"

#include "results/ArrayAndStringCategories.h"
#include "results/URIParsedResult.h"

using namespace ArrayAndStringCategories;

std::shared_ptr<ParsedResult> BookmarkDoCoMoResultParser::parsedResultForString(
    const std::string& text, int format) {
    if (text.find("MEBKM:") == std::string::npos) {
        return nullptr;
    }
    auto urlString = fieldWithPrefix(text, "URL:");
    if (!urlString) {
        return nullptr;
    }
    return URIParsedResult::withURLString(*urlString, fieldWithPrefix(text, "TITLE:"));
}
