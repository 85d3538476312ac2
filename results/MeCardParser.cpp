#include "results/MeCardParser.h"

#include "results/ArrayAndStringCategories.h"
#include "results/BusinessCardParsedResult.h"

using namespace ArrayAndStringCategories;

bool MeCardParser::isWellFormedBirthday(const std::optional<std::string>& text) {
    if (!text || text->size() != 8) {
        return false;
    }
    return text->find_first_not_of("0123456789") == std::string::npos;
}

std::shared_ptr<ParsedResult> MeCardParser::parsedResultForString(const std::string& text,
                                                                  int format) {
    if (text.find("MECARD:") == std::string::npos) {
        return nullptr;
    }
    auto name = stringWithTrimmedWhitespace(fieldWithPrefix(text, "N:"));
    if (!name) {
        return nullptr;
    }
    auto result = std::make_shared<BusinessCardParsedResult>();
    result->names = arrayWithStringIfNotNil(name);
    result->pronunciation = stringWithTrimmedWhitespace(fieldWithPrefix(text, "SOUND:"));
    result->phoneNumbers = stringArrayWithTrimmedWhitespace(fieldsWithPrefix(text, "TEL:"));
    result->emails = stringArrayWithTrimmedWhitespace(fieldsWithPrefix(text, "EMAIL:"));
    result->note = fieldWithPrefix(text, "NOTE:");
    result->addresses = stringArrayWithTrimmedWhitespace(fieldsWithPrefix(text, "ADR:"));
    auto birthday = stringWithTrimmedWhitespace(fieldWithPrefix(text, "BDAY:"));
    result->birthday = isWellFormedBirthday(birthday) ? birthday : std::nullopt;
    result->url = stringWithTrimmedWhitespace(fieldWithPrefix(text, "URL:"));
    result->organization = stringWithTrimmedWhitespace(fieldWithPrefix(text, "ORG:"));
    result->jobTitle = fieldWithPrefix(text, "TITLE:");
    return result;
}
