#include "results/PlainEmailResultParser.h"

#include "results/EmailParsedResult.h"

std::shared_ptr<ParsedResult> PlainEmailResultParser::parsedResultForString(const std::string& text,
                                                                            int format) {
    if (!EmailParsedResult::looksLikeAnEmailAddress(text)) {
        return nullptr;
    }
    auto result = std::make_shared<EmailParsedResult>();
    result->to = text;
    return result;
}
