#include "results/BizcardResultParser.h"

#include "results/ArrayAndStringCategories.h"
#include "results/BusinessCardParsedResult.h"

using namespace ArrayAndStringCategories;

namespace {

std::optional<std::string> trimmedField(const std::string& text, const std::string& prefix) {
    return stringWithTrimmedWhitespace(fieldWithPrefix(text, prefix));
}

// One "first last" name, the one present, or none.
std::optional<StringList> arrayWithFirstName(const std::optional<std::string>& firstName,
                                             const std::optional<std::string>& lastName) {
    if (firstName && lastName) {
        return StringList{*firstName + " " + *lastName};
    }
    if (firstName) {
        return StringList{*firstName};
    }
    if (lastName) {
        return StringList{*lastName};
    }
    return std::nullopt;
}

}  // namespace

std::shared_ptr<ParsedResult> BizcardResultParser::parsedResultForString(const std::string& text,
                                                                         int format) {
    if (text.rfind("BIZCARD:", 0) != 0) {
        return nullptr;
    }
    auto result = std::make_shared<BusinessCardParsedResult>();
    result->names = arrayWithFirstName(trimmedField(text, "N:"), trimmedField(text, "X:"));
    result->jobTitle = trimmedField(text, "T:");
    result->organization = trimmedField(text, "C:");
    result->addresses = stringArrayWithTrimmedWhitespace(fieldsWithPrefix(text, "A:"));
    auto phone1 = trimmedField(text, "B:");
    if (phone1) {
        StringList phones{*phone1};
        phones.reserve(3);
        for (const auto& other : {trimmedField(text, "M:"), trimmedField(text, "F:")}) {
            if (other) {
                phones.push_back(*other);
            }
        }
        result->phoneNumbers = phones;
    }
    result->emails = arrayWithStringIfNotNil(trimmedField(text, "E:"));
    return result;
}
