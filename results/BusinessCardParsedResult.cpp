#include "results/BusinessCardParsedResult.h"

#include "platform/foundation/Bundle.h"
#include "platform/graphics/Image.h"
#include "results/AddContactAction.h"

namespace {

std::optional<std::string> first(const std::optional<BusinessCardParsedResult::StringList>& list) {
    if (!list || list->empty()) {
        return std::nullopt;
    }
    return list->front();
}

}  // namespace

std::string BusinessCardParsedResult::normalizeName(const std::string& name) {
    std::size_t comma = name.find(',');
    if (comma == std::string::npos) {
        return name;
    }
    return name.substr(comma + 1) + " " + name.substr(0, comma);
}

void BusinessCardParsedResult::append(const std::optional<std::string>& value, std::string& text) {
    if (value) {
        text += *value;
        text += '\n';
    }
}

void BusinessCardParsedResult::append(const std::optional<StringList>& values, std::string& text) {
    if (values) {
        for (const auto& value : *values) {
            append(std::optional<std::string>(value), text);
        }
    }
}

std::string BusinessCardParsedResult::stringForDisplay() const {
    std::string text;
    text.reserve(1024);
    if (names) {
        for (const auto& name : *names) {
            append(std::optional<std::string>(normalizeName(name)), text);
        }
    }
    append(pronunciation, text);
    append(jobTitle, text);
    append(organization, text);
    append(phoneNumbers, text);
    append(emails, text);
    append(url, text);
    append(birthday, text);
    append(note, text);
    append(addresses, text);
    return text;
}

std::string BusinessCardParsedResult::typeName() const {
    return foundation::localizedString("Contact Result Type Name");
}

std::shared_ptr<graphics::Image> BusinessCardParsedResult::icon() const {
    return graphics::Image::imageNamed("ic_carte_de_visite.png");
}

void BusinessCardParsedResult::populateActions(ActionList& actions) {
    actions.push_back(AddContactAction::actionWithName(first(names), phoneNumbers, first(emails),
                                                       url, first(addresses), note, organization,
                                                       jobTitle));
}
