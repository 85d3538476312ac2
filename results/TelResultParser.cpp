#include "results/TelResultParser.h"

#include "results/TelParsedResult.h"

std::shared_ptr<ParsedResult> TelResultParser::parsedResultForString(const std::string& text,
                                                                     int format) {
    if (!ResultParser::beginsWithAnyCase(text, "tel:")) {
        return nullptr;
    }
    return std::make_shared<TelParsedResult>(text.substr(4));
}
