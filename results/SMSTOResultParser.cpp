#include "results/SMSTOResultParser.h"

#include "results/SMSParsedResult.h"

std::shared_ptr<ParsedResult> SMSTOResultParser::parsedResultForString(const std::string& text,
                                                                       int format) {
    if (!beginsWithAnyCase(text, "SMSTO:")) {
        return nullptr;
    }
    const std::string rest = text.substr(6);
    const std::size_t colon = rest.find(':');
    if (colon == std::string::npos) {
        return std::make_shared<SMSParsedResult>(rest, std::nullopt);
    }
    return std::make_shared<SMSParsedResult>(rest.substr(0, colon), rest.substr(colon + 1));
}
