#include "results/EmailAddressResultParser.h"

#include <unicode/utf8.h>

#include "platform/foundation/CharacterSet.h"
#include "platform/foundation/PercentEncoding.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/URL.h"
#include "results/EmailParsedResult.h"

namespace {

// The recipient written in the place of a "mailto:" URL's path: the text
// between the scheme's colon and the first "?", percent escapes undone where
// they are valid.
std::optional<std::string> recipientBeforeQuery(const std::string& text) {
    std::size_t colon = text.find(':');
    std::size_t question = text.find('?', colon);
    std::string recipient = text.substr(
        colon + 1, question == std::string::npos ? std::string::npos : question - colon - 1);
    if (recipient.empty()) {
        return std::nullopt;
    }
    return foundation::removingPercentEncoding(recipient).value_or(recipient);
}

}  // namespace

bool EmailAddressResultParser::isBasicallyValidEmailAddress(const std::string& text) {
    std::size_t at = text.find('@');
    if (at == std::string::npos) {
        return false;
    }
    const std::string rest = text.substr(0, at) + text.substr(at + 1);
    static const auto allowed = foundation::CharacterSet::alphanumeric().united(
        foundation::CharacterSet::fromCharacters("!#$%&'*+-/=?^_`{}|~."));
    int32_t i = 0;
    const int32_t length = static_cast<int32_t>(rest.size());
    while (i < length) {
        UChar32 c;
        U8_NEXT(rest.data(), i, length, c);
        if (c < 0 || !allowed.contains(static_cast<char32_t>(c))) {
            return false;
        }
    }
    return true;
}

std::shared_ptr<ParsedResult> EmailAddressResultParser::parsedResultForString(
    const std::string& text, int format) {
    auto url = foundation::URL::fromString(text);
    if (url && foundation::lowercase(url->scheme()) == "mailto") {
        std::map<std::string, std::string> query;
        if (auto queryString = url->query()) {
            query = dictionaryForQueryString(*queryString);
        }
        auto result = std::make_shared<EmailParsedResult>();
        if (auto to = query.find("to"); to != query.end()) {
            result->to = to->second;
        } else if (url->user() && url->host()) {
            result->to = *url->user() + "@" + *url->host();
        } else {
            result->to = recipientBeforeQuery(text);
        }
        if (!result->to) {
            return nullptr;
        }
        if (auto subject = query.find("subject"); subject != query.end()) {
            result->subject = subject->second;
        }
        if (auto body = query.find("body"); body != query.end()) {
            result->body = body->second;
        }
        return result;
    }
    if (isBasicallyValidEmailAddress(text)) {
        auto result = std::make_shared<EmailParsedResult>();
        result->to = text;
        return result;
    }
    return nullptr;
}
