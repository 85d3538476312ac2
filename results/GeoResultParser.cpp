#include "results/GeoResultParser.h"

#include "results/GeoParsedResult.h"

std::shared_ptr<ParsedResult> GeoResultParser::parsedResultForString(const std::string& text,
                                                                     int format) {
    if (!beginsWithAnyCase(text, "geo:")) {
        return nullptr;
    }
    return std::make_shared<GeoParsedResult>(text.substr(4));
}
