#include "results/AddressBookAUResultParser.h"

#include "results/ArrayAndStringCategories.h"
#include "results/BusinessCardParsedResult.h"

using namespace ArrayAndStringCategories;

std::optional<std::vector<std::string>> AddressBookAUResultParser::fieldsWithPrefix(
    const std::string& text, const std::string& name, int maxResults, bool trim) {
    std::optional<std::vector<std::string>> values;
    for (int i = 1; i <= maxResults; ++i) {
        auto value = fieldWithPrefix(text, name + std::to_string(i) + ":", "\r");
        if (!value) {
            break;
        }
        if (!values) {
            values.emplace();
            values->reserve(maxResults);
        }
        values->push_back(trim ? stringWithTrimmedWhitespace(*value) : *value);
    }
    return values;
}

std::shared_ptr<ParsedResult> AddressBookAUResultParser::parsedResultForString(
    const std::string& text, int format) {
    if (text.find("MEMORY") == std::string::npos || text.find("\r\n") == std::string::npos) {
        return nullptr;
    }
    auto result = std::make_shared<BusinessCardParsedResult>();
    result->names =
        arrayWithStringIfNotNil(stringWithTrimmedWhitespace(fieldWithPrefix(text, "NAME1:", "\r")));
    result->pronunciation = stringWithTrimmedWhitespace(fieldWithPrefix(text, "NAME2:", "\r"));
    result->phoneNumbers = fieldsWithPrefix(text, "TEL", 3, true);
    result->emails = fieldsWithPrefix(text, "MAIL", 3, true);
    result->note = fieldWithPrefix(text, "MEMORY:", "\r");
    result->addresses =
        arrayWithStringIfNotNil(stringWithTrimmedWhitespace(fieldWithPrefix(text, "ADD:", "\r")));
    return result;
}
