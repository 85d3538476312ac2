#include "results/SMTPResultParser.h"

#include <vector>

#include "results/EmailParsedResult.h"

std::shared_ptr<ParsedResult> SMTPResultParser::parsedResultForString(const std::string& text,
                                                                      int format) {
    if (text.size() <= 5 || (text.rfind("smtp:", 0) != 0 && text.rfind("SMTP:", 0) != 0)) {
        return nullptr;
    }
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ':') {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    if (parts.size() < 2 || parts.size() > 4) {
        return nullptr;
    }
    auto result = std::make_shared<EmailParsedResult>();
    result->to = parts[1];
    if (parts.size() > 2) {
        result->subject = parts[2];
    }
    if (parts.size() > 3) {
        result->body = parts[3];
    }
    return result;
}
