#include "results/URLTOResultParser.h"

#include "results/URIParsedResult.h"

std::shared_ptr<ParsedResult> URLTOResultParser::parsedResultForString(const std::string& text,
                                                                       int format) {
    if (!beginsWithAnyCase(text, "URLTO:")) {
        return nullptr;
    }
    const std::string rest = text.substr(6);
    const std::size_t colon = rest.find(':');
    if (colon == std::string::npos) {
        return nullptr;
    }
    return URIParsedResult::withURLString(rest.substr(colon + 1), rest.substr(0, colon));
}
