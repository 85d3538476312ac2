#include "results/SMSResultParser.h"

#include "results/SMSParsedResult.h"

std::shared_ptr<ParsedResult> SMSResultParser::parsedResultForString(const std::string& text,
                                                                     int format) {
    if (!beginsWithAnyCase(text, "sms:")) {
        return nullptr;
    }
    const std::string rest = text.substr(4);
    const std::size_t question = rest.find('?');
    std::string number = rest.substr(0, question);
    number = number.substr(0, number.find(';'));
    std::optional<std::string> body;
    if (question != std::string::npos) {
        std::size_t field = rest.find("body=", question + 1);
        if (field != std::string::npos) {
            std::size_t start = field + 5;
            std::size_t end = rest.find('&', start);
            body = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
        }
    }
    return std::make_shared<SMSParsedResult>(number, body);
}
