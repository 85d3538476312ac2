#include "results/EmailDoCoMoResultParser.h"

#include "results/ArrayAndStringCategories.h"
#include "results/EmailParsedResult.h"

using namespace ArrayAndStringCategories;

std::shared_ptr<ParsedResult> EmailDoCoMoResultParser::parsedResultForString(
    const std::string& text, int format) {
    if (text.find("MATMSG:") == std::string::npos) {
        return nullptr;
    }
    auto to = fieldWithPrefix(text, "TO:");
    if (!to) {
        return nullptr;
    }
    auto result = std::make_shared<EmailParsedResult>();
    result->to = to;
    result->subject = fieldWithPrefix(text, "SUB:");
    result->body = fieldWithPrefix(text, "BODY:");
    return result;
}
