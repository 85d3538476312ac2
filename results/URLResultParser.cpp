#include "results/URLResultParser.h"

#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/URL.h"
#include "results/URIParsedResult.h"

bool URLResultParser::looksLikeAURI(const std::string& text) {
    return text.find_first_of(" \t") == std::string::npos && text.find(':') != std::string::npos;
}

std::string URLResultParser::massagedURLString(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return "http://" + text;
    }
    return foundation::lowercase(text.substr(0, colon)) + text.substr(colon);
}

std::shared_ptr<ParsedResult> URLResultParser::parsedResultForString(const std::string& text,
                                                                     int format) {
    if (beginsWithAnyCase(text, "URL:")) {
        return URIParsedResult::withURLString(massagedURLString(text.substr(4)));
    }
    if (!looksLikeAURI(text)) {
        return nullptr;
    }
    std::string urlString = massagedURLString(text);
    auto url = foundation::URL::fromString(urlString);
    if (!url) {
        return nullptr;
    }
    return std::make_shared<URIParsedResult>(urlString, url);
}
