#include "results/VCardResultParser.h"

#include "results/ArrayAndStringCategories.h"
#include "results/BusinessCardParsedResult.h"
#include "results/VCardFields.h"

using namespace ArrayAndStringCategories;
using namespace VCardFields;

namespace {

std::optional<StringList> nonEmpty(StringList list) {
    if (list.empty()) {
        return std::nullopt;
    }
    return list;
}

std::optional<std::string> nonEmpty(std::string text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

std::string firstTrimmed(const std::string& text, const std::string& name) {
    return stringWithTrimmedWhitespace(vcardValueForFieldWithPrefix(text, name));
}

}  // namespace

std::shared_ptr<ParsedResult> VCardResultParser::parsedResultForString(const std::string& text,
                                                                       int format) {
    if (text.rfind("BEGIN:VCARD", 0) != 0) {
        return nullptr;
    }
    auto names = stringArrayWithTrimmedWhitespace(vcardValuesForFieldWithPrefix(text, "FN"));
    if (names.empty()) {
        names = stringArrayWithTrimmedWhitespace(vcardValuesForFieldWithPrefix(text, "N"));
    }
    auto result = std::make_shared<BusinessCardParsedResult>();
    result->names = nonEmpty(vcardArrayWithFormattedNames(names));
    result->phoneNumbers =
        nonEmpty(stringArrayWithTrimmedWhitespace(vcardValuesForFieldWithPrefix(text, "TEL")));
    result->emails =
        nonEmpty(stringArrayWithTrimmedWhitespace(vcardValuesForFieldWithPrefix(text, "EMAIL")));
    result->note = nonEmpty(vcardValueForFieldWithPrefix(text, "NOTE"));
    result->addresses = nonEmpty(vcardArrayWithFormattedAddresses(
        stringArrayWithTrimmedWhitespace(vcardValuesForFieldWithPrefix(text, "ADR"))));
    result->organization = nonEmpty(firstTrimmed(text, "ORG"));
    auto birthday = firstTrimmed(text, "BDAY");
    if (isVCardDate(birthday)) {
        result->birthday = nonEmpty(birthday);
    }
    result->jobTitle = nonEmpty(firstTrimmed(text, "TITLE"));
    result->url = nonEmpty(firstTrimmed(text, "URL"));
    return result;
}
